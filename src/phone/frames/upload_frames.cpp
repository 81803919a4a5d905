#include "phone/frames/upload_frames.h"

#include "link/escaping.h"
#include "link/request_frame.h"

namespace lg81xx {
namespace {

constexpr std::uint8_t kEscape = 0x7D;
constexpr std::size_t kLengthFields = 14;  // block length, file size, offset, block number

Bytes le_field(std::uint32_t value, int width) {
  Bytes out;
  for (int i = 0; i < width; ++i) put_byte(out, (value >> (8 * i)) & 0xFF);
  return out;
}

}  // namespace

Bytes escaped_name_fields(const UploadNames& names) {
  Bytes raw;
  raw.reserve(names.folder.size() + names.file.size() + 2);
  put_byte(raw, names.folder_length_byte);
  raw += names.folder;
  put_byte(raw, names.file_length_byte);
  raw += names.file;
  return escaped(raw);
}

bool first_frame_holds(const UploadNames& names) {
  return kFirstFrameFixed + kFirstFrameFieldsGrowth + escaped_name_fields(names).size() <= kFirstFrameBudget + 1;
}

UploadFrames::UploadFrames(UploadNames names, std::string_view content)
    : names_(std::move(names)), name_fields_(escaped_name_fields(names_)), content_(content) {
  n_ = static_cast<int>(names_.folder.size() + names_.file.size()) - 2;
  ordinary_length_ = kUploadBlockLength - n_ % 4;
  finished_ = content_.empty();
}

WireFrame UploadFrames::next(const std::function<unsigned()>& next_sequence) {
  if (!new_block_) return continuation_frame();
  new_block_ = false;
  offset_ += block_bytes_;
  return first_frame(next_sequence());
}

WireFrame UploadFrames::first_frame(unsigned sequence) {
  ++block_number_;
  position_ = 0;

  const auto left = static_cast<std::int64_t>(content_.size()) - offset_;
  std::int64_t data = ordinary_length_ - n_ - kUploadBlockOverhead;
  int block_length = ordinary_length_;
  if (data >= left) {
    last_block_ = true;
    data = left;
    block_length = n_ + kUploadBlockOverhead + static_cast<int>(left);
  }
  block_bytes_ = data;
  block_data_ = escaped(content_.substr(static_cast<std::size_t>(offset_), static_cast<std::size_t>(data)));

  const Bytes length_field = escaped(le_field(static_cast<std::uint32_t>(block_length), 2));
  const Bytes size_field = escaped(le_field(static_cast<std::uint32_t>(content_.size()), 4));
  const Bytes offset_field = escaped(le_field(static_cast<std::uint32_t>(offset_), 4));
  const Bytes number_field = escaped(le_field(block_number_, 4));
  // The sequence byte and the names escape like the fields, and their growth takes from
  // the same room, so a first frame never exceeds the size of any other frame.
  const std::size_t sequence_growth = is_reserved(static_cast<std::uint8_t>(sequence)) ? 1 : 0;
  const std::size_t names_growth = name_fields_.size() - (names_.folder.size() + names_.file.size() + 2);
  const std::size_t growth = length_field.size() + size_field.size() + offset_field.size() + number_field.size() -
                             kLengthFields + sequence_growth + names_growth;
  const std::size_t header = static_cast<std::size_t>(n_) + 32;  // H: everything but the data

  std::size_t k = kFirstFrameBudget - header - growth;
  bool final = false;
  if (k > block_data_.size()) {
    k = block_data_.size();
    final = true;  // only the last block can end inside its first frame
  } else if (k > 0 && byte_at(block_data_, k - 1) == kEscape) {
    ++k;  // never split an escape pair between two frames
  }

  Bytes frame;
  frame.reserve(header + growth + k + 1);
  frame += Bytes("\0\0\0\0\0\0", 6);  // operation, lengths and header id: filled in below
  put_byte(frame, 0xFF);
  put_byte(frame, 0x7D);
  put_byte(frame, 0xDF);
  put_byte(frame, 0x20);
  put_byte(frame, last_block_ ? 0x85 : 0x05);
  put_byte(frame, 0);  // sequence byte, placed last
  put_byte(frame, 0);
  put_byte(frame, 0);
  frame += length_field;
  frame += name_fields_;
  frame += size_field;
  frame += offset_field;
  frame += number_field;
  frame.append(block_data_, 0, k);
  finish_frame(frame, final);
  place_sequence(frame, sequence);

  position_ = k;
  finished_ = final;
  return {std::move(frame), final, true};
}

WireFrame UploadFrames::continuation_frame() {
  std::size_t k = kContinuationRoom;
  bool final = false;
  if (position_ + k > block_data_.size()) {
    k = block_data_.size() - position_;  // the block ends here, possibly with no data at all
    new_block_ = true;
    final = last_block_;
  } else if (byte_at(block_data_, position_ + k - 1) == kEscape) {
    ++k;
  }

  Bytes frame;
  frame.reserve(k + 8);
  frame += Bytes("\0\0\0\0\0\0", 6);
  put_byte(frame, 0xFF);
  frame.append(block_data_, position_, k);
  finish_frame(frame, final);

  position_ += k;
  finished_ = final;
  return {std::move(frame), final, false};
}

// Operation code, header id, the final 7E and the two big-endian lengths, which are
// written raw whatever their value.
void UploadFrames::finish_frame(Bytes& frame, bool final) {
  put_byte(frame, 0x7E);
  frame[0] = as_char(final ? 0x83 : 0x82);
  frame[3] = as_char(final ? 0x70 : 0x49);
  const auto total = static_cast<unsigned>(frame.size());
  set_be16(frame, 1, total);
  set_be16(frame, 4, total - 3);
}

}  // namespace lg81xx
