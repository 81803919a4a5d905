#pragma once
// "Informazioni su lg81xx": what the program is, its version and its licence, one line
// each. A fact to add is one more line in about_text().
#include <string>

namespace lg81xx::gui {

inline constexpr const char* kAboutTitle = "Informazioni su lg81xx";

std::string about_text();

}  // namespace lg81xx::gui
