#include "link/request_frame.h"

#include "link/escaping.h"

namespace lg81xx {

void set_be16(Bytes& frame, std::size_t offset, unsigned value) {
  frame[offset] = as_char(value >> 8);
  frame[offset + 1] = as_char(value);
}

unsigned get_be16(std::string_view frame, std::size_t offset) {
  return (static_cast<unsigned>(byte_at(frame, offset)) << 8) | byte_at(frame, offset + 1);
}

void append_le16(Bytes& out, std::uint32_t value) {
  put_byte(out, value & 0xFF);
  put_byte(out, (value >> 8) & 0xFF);
}

void append_le32(Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) put_byte(out, (value >> shift) & 0xFF);
}

std::uint32_t get_le32(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4 && offset + i < bytes.size(); ++i)
    value |= static_cast<std::uint32_t>(byte_at(bytes, offset + i)) << (8 * i);
  return value;
}

void place_sequence(Bytes& frame, unsigned seq) {
  const auto b = static_cast<std::uint8_t>(seq);
  frame[kSequenceOffset] = as_char(b);
  if (!is_reserved(b)) return;
  frame[kSequenceOffset] = as_char(0x7D);
  frame.insert(frame.begin() + kSequenceOffset + 1, as_char(b ^ 0x20u));
  set_be16(frame, 1, get_be16(frame, 1) + 1);
  set_be16(frame, 4, get_be16(frame, 4) + 1);
}

void patch_short_lengths(Bytes& frame) {
  const auto length = static_cast<unsigned>(frame.size());
  frame[2] = as_char(length);
  frame[5] = as_char(length - 3);
  frame[14] = as_char(length - 9);
}

}  // namespace lg81xx
