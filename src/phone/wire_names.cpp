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

Bytes wire_text(Family family, std::string_view text) {
  return family == Family::u813 ? utf16le(text) : Bytes(text);
}

Bytes wire_name(Family family, std::string_view text) {
  return wire_text(family, text) + Bytes(family == Family::u813 ? 2 : 1, '\0');
}

Bytes name_field(Family family, std::string_view text) {
  Bytes field;
  put_byte(field, static_cast<unsigned>(text.size() + 1));
  return field + wire_name(family, text);
}

}  // namespace lg81xx
