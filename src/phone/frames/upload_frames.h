#pragma once
// The wire frames of one upload, produced one at a time.
//
// The file is cut into blocks (one write command of the phone each: names, file size,
// block offset, block number and about 4 KB of data) and every block into wire frames of
// at most 963 bytes (964 when the frame takes the partner of an escape pair). The first
// frame of a block carries the whole header; the following ones carry only escaped data.
// Every frame but the very last of the transfer is a PUT (82) with header 49; the last is
// 83 with header 70.
//
// Everything after the first FF is escaped (7D, 7E and FF travel as pairs), the names and
// their length bytes like the data; the length fields inside (block length, name lengths)
// count the bytes before escaping, the two big-endian frame lengths the bytes sent. What
// the escaping of the header adds is taken from the first frame's room for data.
//
// Only the current block's escaped data is held, so a file of any size costs a few KB
// beyond its own bytes.
#include <cstdint>
#include <functional>
#include <string_view>

#include "base/bytes.h"

namespace lg81xx {

inline constexpr int kUploadBlockLength = 4096;              // block length of an ordinary block, less n mod 4
inline constexpr int kUploadBlockOverhead = 24;              // block bytes besides names and data
inline constexpr int kFirstFrameBudget = 962;                // first frame: header, data and escapes
inline constexpr int kContinuationRoom = 955;                // data bytes of a continuation frame
inline constexpr std::uint64_t kLargestUpload = 0xFFFFFFFF;  // the file size field holds four bytes
// A first frame's bytes besides the name fields and the data, before escaping (the 7D DF
// of the second FF as two), and the most that escaping the sequence byte, the block length
// and the three 4-byte fields can add to them.
inline constexpr int kFirstFrameFixed = 29;
inline constexpr int kFirstFrameFieldsGrowth = 15;

struct UploadNames {
  Bytes folder;  // before escaping, terminator included (folder length + 1 bytes)
  Bytes file;    // before escaping, terminator included (file-name length + 1 bytes)
  std::uint8_t folder_length_byte = 0;
  std::uint8_t file_length_byte = 0;
};

// The two name fields as a first frame carries them: each length byte and its name,
// escaped.
Bytes escaped_name_fields(const UploadNames& names);

// True when a first frame has room for these names whatever its fields hold.
bool first_frame_holds(const UploadNames& names);

struct WireFrame {
  Bytes bytes;
  bool final = false;        // the last frame of the transfer
  bool block_start = false;  // the first frame of a block
};

class UploadFrames {
 public:
  // `content` must outlive this object; its first `size` bytes are sent.
  UploadFrames(UploadNames names, std::string_view content);

  bool finished() const { return finished_; }
  // File bytes carried by the blocks before the current one.
  std::int64_t offset() const { return offset_; }
  std::int64_t size() const { return static_cast<std::int64_t>(content_.size()); }

  // The next wire frame. `next_sequence` is called once per block, for its first frame.
  WireFrame next(const std::function<unsigned()>& next_sequence);

 private:
  WireFrame first_frame(unsigned sequence);
  WireFrame continuation_frame();
  static void finish_frame(Bytes& frame, bool final);

  UploadNames names_;
  Bytes name_fields_;  // escaped
  std::string_view content_;
  int n_ = 0;                // folder length + file-name length
  int ordinary_length_ = 0;  // block length of every block but the last
  std::int64_t offset_ = 0;
  std::int64_t block_bytes_ = 0;  // file bytes of the current block
  std::uint32_t block_number_ = 0;
  bool new_block_ = true;
  bool last_block_ = false;
  bool finished_ = false;
  Bytes block_data_;          // the current block's data, escaped
  std::size_t position_ = 0;  // next byte of block_data_ to send
};

}  // namespace lg81xx
