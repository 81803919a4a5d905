#include "phone/wire_names.h"

namespace lg81xx {

Bytes utf16le(std::string_view text) {
  Bytes out;
  out.reserve(text.size() * 2);
  for (char c : text) {
    out.push_back(c);
    out.push_back('\0');
  }
  return out;
}

}  // namespace lg81xx
