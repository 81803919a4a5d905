#include "wire_names.h"

#include "base/text_encoding.h"

namespace lg81xx::sim {

NameForm name_form_of(Family family) { return family == Family::u813 ? NameForm::utf16le : NameForm::windows1252; }

std::size_t unit_size(NameForm form) { return form == NameForm::utf16le ? 2 : 1; }

Bytes terminator(NameForm form) { return Bytes(unit_size(form), '\0'); }

std::optional<Bytes> text_in_form(std::string_view utf8, NameForm form) {
  return form == NameForm::utf16le ? utf8_to_utf16le(utf8) : utf8_to_windows1252(utf8);
}

std::optional<Bytes> encode_name(std::string_view utf8, NameForm form) {
  if (!phone_can_hold(utf8)) return std::nullopt;
  return text_in_form(utf8, form);
}

std::optional<std::string_view> name_up_to_terminator(std::string_view bytes, NameForm form) {
  const std::size_t w = unit_size(form);
  for (std::size_t i = 0; i + w <= bytes.size(); i += w)
    if (bytes.substr(i, w).find_first_not_of('\0') == std::string_view::npos) return bytes.substr(0, i);
  return std::nullopt;
}

std::optional<std::string_view> name_in_field(std::string_view field, NameForm form) {
  const auto name = name_up_to_terminator(field, form);
  if (!name || name->size() + unit_size(form) != field.size()) return std::nullopt;
  return name;
}

std::optional<std::string> decode_name(std::string_view bytes, NameForm form) {
  std::optional<std::string> utf8;
  if (form == NameForm::utf16le)
    utf8 = utf16le_to_utf8(bytes);
  else
    utf8 = windows1252_to_utf8(bytes);
  if (!utf8 || !phone_can_hold(*utf8)) return std::nullopt;
  return utf8;
}

bool phone_can_hold(std::string_view utf8) {
  return !utf8.empty() && utf8.find(':') == std::string_view::npos && utf8.find('\0') == std::string_view::npos;
}

}  // namespace lg81xx::sim
