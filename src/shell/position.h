#pragma once
// The Java insertion position: the text of Text1, two digits 00 to 64.
#include <cstddef>
#include <string>

namespace lg81xx {

// The position proposed for a Java list of `rows` rows: rows / 2 + 1, "0"-padded to two
// characters (0 -> "01", 8 -> "05", 5 -> "3.5").
std::string insertion_position(std::size_t rows);

}  // namespace lg81xx
