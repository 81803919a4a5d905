#include "phone/frames/zip_signatures.h"

namespace lg81xx {
namespace {

bool is_record_kind(std::uint8_t a, std::uint8_t b) {
  switch (a) {
    case 0x01: return b == 0x02;               // central directory entry
    case 0x03: return b == 0x04;               // local file header
    case 0x05: return b == 0x06;               // end of central directory
    case 0x06: return b == 0x06 || b == 0x07;  // zip64 end record and locator
    case 0x07: return b == 0x08;               // data descriptor
    default: return false;
  }
}

}  // namespace

bool has_altered_zip_signature(const Bytes& data) {
  return data.size() >= 4 && byte_at(data, 0) == 0x4F && byte_at(data, 1) == 0x4B && byte_at(data, 2) == 0x03 &&
         byte_at(data, 3) == 0x04;
}

void restore_zip_signatures(Bytes& data) {
  if (!has_altered_zip_signature(data)) return;
  for (std::size_t i = 0; i + 3 < data.size(); ++i) {
    if (byte_at(data, i) == 0x4F && byte_at(data, i + 1) == 0x4B &&
        is_record_kind(byte_at(data, i + 2), byte_at(data, i + 3)))
      data[i] = as_char(0x50);
  }
}

}  // namespace lg81xx
