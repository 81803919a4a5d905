#pragma once
// How names travel to the phone: the one place where the text of a name becomes the bytes
// of its family's wire form.
#include <cstddef>
#include <string>
#include <string_view>

#include "base/bytes.h"
#include "phone/model_family.h"

namespace lg81xx {

// An object on the phone: a file name inside a folder, as text.
struct ObjectName {
  std::string folder;
  std::string file;
};

// The most characters a name may have: its length byte counts them and the terminator.
inline constexpr std::size_t kLongestName = 254;

// Each character followed by a 00 byte: the phones of the U813 family want UTF-16LE names.
Bytes utf16le(std::string_view text);

// `text` as the family spells it: UTF-16LE for the U813 family, 8-bit text for the others.
Bytes wire_text(Family family, std::string_view text);

// The same with its terminator (00 00 after UTF-16LE, 00 after 8-bit text), as the
// transfer requests carry a name.
Bytes wire_name(Family family, std::string_view text);

// A name in a transfer request: one byte with its characters + 1, then wire_name.
Bytes name_field(Family family, std::string_view text);

}  // namespace lg81xx
