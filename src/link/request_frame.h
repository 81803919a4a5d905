#pragma once
// Helpers for the request frames: 83, length (BE), 70, length - 3 (BE), FF 7D DF,
// command, sequence byte, 00 00, body length (LE), payload, 7E.
#include <cstdint>

#include "base/bytes.h"

namespace lg81xx {

inline constexpr std::size_t kSequenceOffset = 11;

void set_be16(Bytes& frame, std::size_t offset, unsigned value);
unsigned get_be16(std::string_view frame, std::size_t offset);
void append_le16(Bytes& out, std::uint32_t value);
void append_le32(Bytes& out, std::uint32_t value);
std::uint32_t get_le32(std::string_view bytes, std::size_t offset);

// Overwrites the sequence byte at offset 11 with the low eight bits of `seq`. A value of
// 7D, 7E or FF would be read by the phone as an escape or the end of the frame, so it
// goes out as an escape pair, and the total length (offsets 1-2) and header length
// (offsets 4-5) grow by the extra byte; the body length keeps counting unescaped bytes.
void place_sequence(Bytes& frame, unsigned seq);

// The 8-bit form that the phones of the U811/U812 family read: lengths patched as single
// bytes at offsets 2, 5 and 14 from the finished frame's length.
void patch_short_lengths(Bytes& frame);

}  // namespace lg81xx
