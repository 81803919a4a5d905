#pragma once
// Byte strings: one char per byte, every value 00..FF included. Frames, replies and
// file contents travel in this form; compare values through `byte_at`, never `char`.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lg81xx {

using Bytes = std::string;

inline std::uint8_t byte_at(std::string_view bytes, std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); }

inline char as_char(unsigned value) { return static_cast<char>(static_cast<std::uint8_t>(value)); }

inline void put_byte(Bytes& out, unsigned value) { out.push_back(as_char(value)); }

}  // namespace lg81xx
