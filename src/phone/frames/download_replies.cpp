#include "phone/frames/download_replies.h"

#include "link/escaping.h"
#include "link/request_frame.h"

namespace lg81xx {

bool is_whole_download_reply(std::string_view read) {
  if (read.size() < 3) return false;
  return is_get_refusal(read) || read.find('\x7E') != std::string_view::npos;
}

Bytes cut_at_last_end(std::string_view read) {
  const auto end = read.rfind('\x7E');
  return Bytes(end == std::string_view::npos ? read : read.substr(0, end + 1));
}

bool is_get_refusal(std::string_view reply) {
  return reply.size() >= 3 && byte_at(reply, 0) == 0x49 && byte_at(reply, 1) == 0x00 && byte_at(reply, 2) == 0x0F;
}

FirstBlock read_first_block(std::string_view reply, std::size_t request_length) {
  FirstBlock block;
  const std::size_t size_at = request_length - 1;
  if (size_at < reply.size()) {
    const Bytes size_bytes = unescaped(reply.substr(size_at, 8));
    block.size = get_le32(size_bytes, 0);
  }
  std::size_t data_at = request_length + 11;
  if (request_length + 7 < reply.size() && byte_at(reply, request_length + 7) == 0x00) ++data_at;
  block.data = block_data(reply, data_at);
  return block;
}

Bytes block_data(std::string_view reply, std::size_t offset) {
  if (reply.empty() || offset + 1 >= reply.size()) return {};
  return unescaped(reply.substr(offset, reply.size() - offset - 1));
}

}  // namespace lg81xx
