#pragma once
// A request as the virtual phone receives it: the wire bytes, checked, and the phone's
// command frame carried inside them with the escaping undone.
#include <cstdint>
#include <optional>
#include <string>

#include "base/bytes.h"
#include "faults.h"

namespace lg81xx::sim {

struct Request {
  Bytes wire;                  // as received, from the operation code to the final byte
  std::uint8_t opcode = 0;     // 80 CONNECT, 82 PUT, 83 GET
  std::uint8_t header_id = 0;  // 70 or 49 (0 for CONNECT)
  Bytes content;               // from the first FF up to before the final 7E, unescaped
  bool command_frame = false;  // content starts FF FF: command, sequence, body length follow
  unsigned command = 0;        // e.g. 0x2083
  std::uint8_t seq = 0;
  unsigned body_length = 0;  // little-endian field of the command frame
  Bytes payload;             // content after the body length
};

// Parses one complete packet. Returns nothing, with `why` set, when the packet breaks
// the framing rules: length fields that disagree with the packet, a missing final 7E, a
// raw 7E inside, a bad escape, a raw reserved sequence byte.
std::optional<Request> parse_request(const Bytes& wire, std::string& why);

// The exchange a well-formed request belongs to. An empty final frame counts as a
// download's acknowledgement, although it may also close an upload's block.
Exchange exchange_of(const Request& request);

// How many bytes of `stream` make up the first complete packet or AT command, 0 when more
// bytes are needed. AT commands end at CR, followed by an optional LF and NUL.
std::size_t complete_unit(std::string_view stream);

}  // namespace lg81xx::sim
