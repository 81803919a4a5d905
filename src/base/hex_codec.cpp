#include "base/hex_codec.h"

#include <array>

namespace lg81xx {
namespace {

// Digit values by character, -1 for anything that is not a hex digit: one table look-up
// per character keeps the conversion of whole frames and files cheap.
constexpr std::array<std::int8_t, 256> make_digit_table() {
  std::array<std::int8_t, 256> table{};
  for (auto& v : table) v = -1;
  const auto set = [&table](char c, int value) {
    table[static_cast<std::uint8_t>(c)] = static_cast<std::int8_t>(value);
  };
  for (int d = 0; d < 10; ++d) set(static_cast<char>('0' + d), d);
  for (int d = 0; d < 6; ++d) {
    set(static_cast<char>('A' + d), 10 + d);
    set(static_cast<char>('a' + d), 10 + d);
  }
  return table;
}
constexpr auto kDigitValue = make_digit_table();

int digit_value(char c) { return kDigitValue[static_cast<std::uint8_t>(c)]; }

constexpr std::array<char, 16> kDigits{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};

}  // namespace

Bytes hex_to_bin(std::string_view hex) {
  Bytes out((hex.size() + 1) / 2, '\0');
  for (std::size_t i = 0, k = 0; i < hex.size(); i += 2, ++k) {
    const int high = digit_value(hex[i]);
    if (high < 0) continue;  // a pair that starts with a non-digit reads as 00
    const int low = i + 1 < hex.size() ? digit_value(hex[i + 1]) : -1;
    out[k] = as_char(static_cast<unsigned>(low < 0 ? high : high * 16 + low));
  }
  return out;
}

std::string bin_to_hex(std::string_view bytes) {
  std::string out;
  out.resize(bytes.size() * 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint8_t b = byte_at(bytes, i);
    out[2 * i] = kDigits[b >> 4];
    out[2 * i + 1] = kDigits[b & 0xF];
  }
  return out;
}

std::string hex2(unsigned value) {
  const auto b = static_cast<std::uint8_t>(value);
  return {kDigits[b >> 4], kDigits[b & 0xF]};
}

}  // namespace lg81xx
