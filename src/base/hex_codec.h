#pragma once
// Hex text <-> byte strings, and the two digits of a sequence byte.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/bytes.h"

namespace lg81xx {

// Pairs of digits (either case) become bytes; a lone last digit becomes one byte; a pair
// stops at its first non-digit ("G1" -> 00, "1G" -> 01).
Bytes hex_to_bin(std::string_view hex);

// Two upper-case digits per byte, no separators.
std::string bin_to_hex(std::string_view bytes);

// Two upper-case digits for one byte value ("0A", "7E"): how sequence bytes are written.
std::string hex2(unsigned value);

}  // namespace lg81xx
