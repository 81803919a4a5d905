#pragma once
// The Java insertion position: the text of Text1, two digits 00 to 64.
#include <cstddef>
#include <optional>
#include <string>

namespace lg81xx {

// The position proposed for a Java list of `rows` rows: rows / 2 + 1, "0"-padded to two
// characters (0 -> "01", 8 -> "05", 5 -> "3.5").
std::string insertion_position(std::size_t rows);

// The position an install goes to: `text` padded to two characters; nothing when it is
// not 00 .. 64.
std::optional<std::string> padded_position(std::string text);

}  // namespace lg81xx
