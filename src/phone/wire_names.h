#pragma once
// How names travel to the phone: the one place that turns a name's text into the bytes
// of the family's wire form.
#include <string_view>

#include "base/bytes.h"

namespace lg81xx {

// Each character followed by a 00 byte: the phones of the U813 family want UTF-16LE names.
Bytes utf16le(std::string_view text);

}  // namespace lg81xx
