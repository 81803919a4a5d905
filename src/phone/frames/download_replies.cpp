#include "phone/frames/download_replies.h"

#include "link/escaping.h"
#include "link/request_frame.h"

namespace lg81xx {

FirstBlock read_first_block(std::string_view reply, std::size_t request_length) {
  FirstBlock block;
  const std::size_t size_at = request_length - 1;
  if (size_at < reply.size()) {
    const Bytes size_bytes = unescaped(reply.substr(size_at, 8));
    block.size = get_le32(size_bytes, 0);
  }
  block.data = block_data(reply, first_block_data_offset(reply, request_length));
  return block;
}

std::size_t first_block_data_offset(std::string_view reply, std::size_t request_length) {
  std::size_t data_at = request_length + 11;
  if (request_length + 7 < reply.size() && byte_at(reply, request_length + 7) == 0x00) ++data_at;
  return data_at;
}

Bytes block_data(std::string_view reply, std::size_t offset) {
  if (reply.empty() || offset + 1 >= reply.size()) return {};
  return unescaped(reply.substr(offset, reply.size() - offset - 1));
}

}  // namespace lg81xx
