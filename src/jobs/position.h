#pragma once
// The Java insertion position: two digits 00 to 64. A position holds an
// application when the folder "Java" lists its NN.jad or its NN.jar.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lg81xx {

// True when the rows of the "Java" listing show an application at `position` (two digits).
bool is_taken(const std::vector<std::string>& java_rows, std::string_view position);

// The first position from 01 to 64 that holds no application, as two digits; nothing
// when all 64 do. With 01 .. NN taken in a row this is the old rows / 2 + 1.
std::optional<std::string> first_free_position(const std::vector<std::string>& java_rows);

// The position an install goes to: `text` padded to two characters; nothing when it is
// not 00 .. 64.
std::optional<std::string> padded_position(std::string text);

}  // namespace lg81xx
