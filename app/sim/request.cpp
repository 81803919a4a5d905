#include "request.h"

#include "link/escaping.h"
#include "link/request_frame.h"
#include "phone/frames/commands.h"

namespace lg81xx::sim {

Exchange exchange_of(const Request& r) {
  if (!r.command_frame) {
    if (r.opcode == 0x83 && r.content == "\xFF") return Exchange::download_block;
    return r.opcode == 0x80 ? Exchange::session : Exchange::upload;  // an upload's continuation frame
  }
  switch (r.command) {
    case commands::kListing: return Exchange::listing;
    case commands::kGet: return Exchange::download_get;
    case commands::kContinue: return Exchange::download_block;
    case commands::kUploadBlock:
    case commands::kUploadLastBlock:
    case commands::kInstallFolder:
    case commands::kInstallName: return Exchange::upload;
    default: return Exchange::session;
  }
}

std::size_t complete_unit(std::string_view stream) {
  if (stream.empty()) return 0;
  if (stream.substr(0, 2) == "AT") {
    const auto cr = stream.find('\r');
    if (cr == std::string_view::npos) return 0;
    std::size_t end = cr + 1;
    if (end < stream.size() && stream[end] == '\n') ++end;
    if (end < stream.size() && stream[end] == '\0') ++end;
    return end;
  }
  if (stream.size() < 3) return 0;
  const std::size_t length = get_be16(stream, 1);
  if (length < 3) return 1;  // cannot be a packet: drop one byte and resynchronise
  return stream.size() >= length ? length : 0;
}

std::optional<Request> parse_request(const Bytes& wire, std::string& why) {
  Request r;
  r.wire = wire;
  if (wire.size() < 3 || get_be16(wire, 1) != wire.size()) {
    why = "total length does not match the packet";
    return std::nullopt;
  }
  r.opcode = byte_at(wire, 0);
  if (r.opcode == 0x80) return r;  // CONNECT: no phone frame inside
  if (r.opcode != 0x82 && r.opcode != 0x83) {
    why = "unknown operation code";
    return std::nullopt;
  }
  if (wire.size() < 8) {
    why = "packet too short";
    return std::nullopt;
  }
  r.header_id = byte_at(wire, 3);
  if (get_be16(wire, 4) != wire.size() - 3) {
    why = "header length does not match the packet";
    return std::nullopt;
  }
  if (byte_at(wire, wire.size() - 1) != 0x7E) {
    why = "no final 7E";
    return std::nullopt;
  }
  if (byte_at(wire, 6) != 0xFF) {
    why = "header does not start with FF";
    return std::nullopt;
  }
  const std::string_view inner(wire.data() + 6, wire.size() - 7);
  for (std::size_t i = 1; i < inner.size(); ++i) {
    const std::uint8_t b = byte_at(inner, i);
    if (b == 0x7E || b == 0xFF) {
      why = "raw reserved byte inside the frame";
      return std::nullopt;
    }
    if (b == 0x7D) {
      if (i + 1 >= inner.size()) {
        why = "escape at the end of the frame";
        return std::nullopt;
      }
      const std::uint8_t partner = byte_at(inner, i + 1);
      if (partner != 0x5D && partner != 0x5E && partner != 0xDF) {
        why = "bad escape pair";
        return std::nullopt;
      }
      ++i;
    }
  }
  r.content = unescaped(inner);
  if (r.content.size() >= 9 && byte_at(r.content, 1) == 0xFF) {
    r.command_frame = true;
    r.command = (static_cast<unsigned>(byte_at(r.content, 2)) << 8) | byte_at(r.content, 3);
    r.seq = byte_at(r.content, 4);
    r.body_length = byte_at(r.content, 7) | (static_cast<unsigned>(byte_at(r.content, 8)) << 8);
    r.payload = r.content.substr(9);
  }
  return r;
}

}  // namespace lg81xx::sim
