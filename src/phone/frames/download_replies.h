#pragma once
// Reading the phone's answers during a download. Every reply ends with a 7E; the file
// data inside it is escaped like the requests.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/bytes.h"

namespace lg81xx {

struct FirstBlock {
  std::uint32_t size = 0;  // announced by the phone
  Bytes data;              // the first block, restored
};

// The reply to the GET request of `request_length` bytes: the size stands where the
// request had its final 7E (4 bytes, little-endian, escaped); the data starts 12 bytes
// later, or 13 when the byte 8 places after the size's start is 00.
FirstBlock read_first_block(std::string_view reply, std::size_t request_length);

// Where the first block's data starts in that reply.
std::size_t first_block_data_offset(std::string_view reply, std::size_t request_length);

// The escaped data from `offset` up to the reply's final 7E, restored.
Bytes block_data(std::string_view reply, std::size_t offset);

}  // namespace lg81xx
