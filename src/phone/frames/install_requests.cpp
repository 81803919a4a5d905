#include "phone/frames/install_requests.h"

#include <string>

#include "base/hex_codec.h"
#include "link/request_frame.h"
#include "phone/wire_names.h"

namespace lg81xx {
namespace {

std::string hex_utf16(std::string_view text) { return bin_to_hex(utf16le(text)); }

// Head up to the command, the sequence byte, and the rest, as hex text.
Bytes assemble(std::string_view head, unsigned sequence, const std::string& rest) {
  return hex_to_bin(std::string(head) + hex2(sequence & 0xFF) + rest);
}

// The sequence byte goes in last: escaped when it is 7D, 7E or FF, lengths following.
Bytes with_sequence(Bytes frame, unsigned sequence) {
  place_sequence(frame, sequence);
  return frame;
}

Bytes patched(Bytes frame, unsigned sequence) {
  patch_short_lengths(frame);
  return with_sequence(std::move(frame), sequence);
}

}  // namespace

Bytes install_keep_alive_request(unsigned sequence) {
  return with_sequence(assemble("83001170000EFF7DDF00A1", sequence, "000008007E"), sequence);
}

Bytes content_info_request_8bit(unsigned sequence) {
  return with_sequence(assemble("830024700021FF7DDF2089", sequence, "00001B00054A617661000C636F6E74656E74496E666F007E"),
                       sequence);
}

Bytes pushlist_request_8bit(unsigned sequence) {
  return with_sequence(assemble("83002170001EFF7DDF2089", sequence, "00001800054A6176610009707573686C697374007E"),
                       sequence);
}

Bytes java_folder_request(unsigned sequence) {
  return patched(assemble("830000700000FF7DDF2088", sequence, "0000000005" + hex_utf16("Java") + "007E"), sequence);
}

Bytes content_info_request_utf16(unsigned sequence) {
  return patched(assemble("830024700021FF7DDF2089", sequence,
                          "00001B0005" + hex_utf16("Java") + "00000C" + hex_utf16("contentInfo") + "00007E"),
                 sequence);
}

Bytes pushlist_request_utf16(unsigned sequence) {
  return patched(assemble("83002170001EFF7DDF2089", sequence,
                          "0000180005" + hex_utf16("Java") + "000009" + hex_utf16("pushlist") + "00007E"),
                 sequence);
}

}  // namespace lg81xx
