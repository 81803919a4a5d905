#pragma once
#include <string>

namespace lg81xx {

// The text a double is shown with (up to 15 significant digits, "." as the separator).
std::string number_text(double value);

}  // namespace lg81xx
