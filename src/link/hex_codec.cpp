#include "link/hex_codec.h"

#include <array>

namespace lg81xx {
namespace {

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

constexpr std::array<char, 16> kDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                       '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};

std::string to_hex(std::uint32_t value) {
  if (value == 0) return "0";
  std::string out;
  while (value != 0) {
    out.insert(out.begin(), kDigits[value & 0xF]);
    value >>= 4;
  }
  return out;
}

std::uint64_t zero_extended(std::int32_t value) { return static_cast<std::uint32_t>(value); }

}  // namespace

Bytes hex_to_bin(std::string_view hex) {
  Bytes out;
  out.reserve((hex.size() + 1) / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    unsigned value = 0;
    const std::size_t end = std::min(i + 2, hex.size());
    for (std::size_t j = i; j < end; ++j) {
      const int d = digit_value(hex[j]);
      if (d < 0) break;
      value = value * 16 + static_cast<unsigned>(d);
    }
    put_byte(out, value);
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

std::string ShL(std::int32_t value, int shift_count) {
  if (shift_count < 0 || shift_count >= 64) return "0";
  const auto shifted = static_cast<std::uint32_t>(zero_extended(value) << shift_count);
  return to_hex(shifted);
}

std::string ShR(std::int32_t value, int shift_count) {
  if (shift_count < 0 || shift_count >= 64) return "0";
  const auto shifted = static_cast<std::int32_t>(static_cast<std::uint32_t>(zero_extended(value) >> shift_count));
  return std::to_string(shifted);
}

std::string hex2(unsigned value) {
  const auto b = static_cast<std::uint8_t>(value);
  return {kDigits[b >> 4], kDigits[b & 0xF]};
}

}  // namespace lg81xx
