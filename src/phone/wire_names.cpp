#include "phone/wire_names.h"

#include <algorithm>

#include "base/text_encoding.h"
#include "link/escaping.h"

namespace lg81xx {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

std::size_t unit_size(Family family) { return family == Family::u813 ? 2 : 1; }

// UTF-16LE that failed to decode as a whole, one unit (or surrogate pair) at a time.
std::string utf16le_piece_by_piece(std::string_view units) {
  std::string text;
  for (std::size_t i = 0; i < units.size();) {
    std::size_t take = std::min<std::size_t>(4, units.size() - i);
    auto piece = utf16le_to_utf8(units.substr(i, take));
    if (!piece && take == 4) {
      take = 2;
      piece = utf16le_to_utf8(units.substr(i, take));
    }
    text += piece ? std::string_view(*piece) : kReplacement;
    i += take;
  }
  return text;
}

std::string utf16le_text(std::string_view bytes) {
  std::string units;
  units.reserve(bytes.size());
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    if (bytes[i] != '\0' || bytes[i + 1] != '\0') units.append(bytes.substr(i, 2));
  auto text = utf16le_to_utf8(units);
  std::string out = text ? std::move(*text) : utf16le_piece_by_piece(units);
  if (bytes.size() % 2 != 0 && bytes.back() != '\0') out += kReplacement;
  return out;
}

}  // namespace

std::optional<Bytes> wire_text(Family family, std::string_view text) {
  if (family == Family::u813) return utf8_to_utf16le(text);
  if (family == Family::u811_u812) return utf8_to_windows1252(text);
  return std::nullopt;
}

std::size_t wire_characters(Family family, const Bytes& wire) { return wire.size() / unit_size(family); }

Bytes terminated(Family family, const Bytes& wire) { return wire + Bytes(unit_size(family), '\0'); }

NameFit name_fit(Family family, std::string_view text) {
  const auto wire = wire_text(family, text);
  if (!wire) return NameFit::unsupported;
  if (wire_characters(family, *wire) > kLongestName) return NameFit::too_long;
  return escaped(terminated(family, *wire)).size() <= kLongestEscapedName ? NameFit::fits : NameFit::too_long;
}

std::optional<Bytes> name_field(Family family, std::string_view text) {
  if (name_fit(family, text) != NameFit::fits) return std::nullopt;
  const auto wire = wire_text(family, text);
  Bytes field;
  put_byte(field, static_cast<unsigned>(wire_characters(family, *wire) + 1));
  return field + terminated(family, *wire);
}

Bytes utf16le(std::string_view fixed_name) { return utf8_to_utf16le(fixed_name).value_or(Bytes{}); }

std::string text_from_wire(Family family, std::string_view bytes) {
  if (family == Family::u813) return utf16le_text(bytes);
  std::string eight_bit(bytes);
  std::erase(eight_bit, '\0');
  return windows1252_to_utf8(eight_bit);
}

}  // namespace lg81xx
