#include "phone/frames/download_requests.h"

#include "link/escaping.h"
#include "link/request_frame.h"
#include "phone/frames/commands.h"

namespace lg81xx {

std::optional<Bytes> download_names(Family family, const ObjectName& name) {
  const auto folder = name_field(family, name.folder);
  const auto file = name_field(family, name.file);
  if (!folder || !file) return std::nullopt;
  return *folder + *file;
}

Bytes command_request(unsigned command, unsigned seq, const Bytes& payload) {
  // The phone's frame from its second FF on, before escaping.
  Bytes inner;
  inner.reserve(payload.size() + 8);
  put_byte(inner, 0xFF);
  put_byte(inner, command >> 8);
  put_byte(inner, command);
  put_byte(inner, seq);
  put_byte(inner, 0x00);
  put_byte(inner, 0x00);
  append_le16(inner, static_cast<std::uint32_t>(inner.size() + 2 + payload.size()));
  inner += payload;

  const Bytes escaped_inner = escaped(inner);
  Bytes frame;
  frame.reserve(escaped_inner.size() + 8);
  for (unsigned b : {0x83u, 0x00u, 0x00u, 0x70u, 0x00u, 0x00u, 0xFFu}) put_byte(frame, b);  // lengths below
  frame += escaped_inner;
  put_byte(frame, 0x7E);
  set_be16(frame, 1, static_cast<unsigned>(frame.size()));
  set_be16(frame, 4, static_cast<unsigned>(frame.size() - 3));
  return frame;
}

Bytes get_request(const Bytes& names, unsigned seq) { return command_request(commands::kGet, seq, names); }

Bytes continuation_request(const Bytes& names, unsigned seq, std::uint32_t size, std::uint32_t received,
                           std::uint32_t block) {
  Bytes payload = names;
  append_le32(payload, size);
  append_le32(payload, received);
  append_le32(payload, block);
  return command_request(commands::kContinue, seq, payload);
}

}  // namespace lg81xx
