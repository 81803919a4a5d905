#include "base/text_encoding.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lg81xx {
namespace {

// Windows-1252 bytes 80..9F; the five undefined ones stand for the C1 code point of the
// same value.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

bool is_surrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

std::uint8_t byte_of(std::string_view s, std::size_t i) { return static_cast<std::uint8_t>(s[i]); }

std::optional<std::vector<char32_t>> code_points(std::string_view utf8) {
  std::vector<char32_t> out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = first_character(utf8.substr(i));
    if (!c) return std::nullopt;
    out.push_back(c->code_point);
    i += c->size;
  }
  return out;
}

void append_utf8(std::string& out, char32_t c) {
  const auto put = [&out](unsigned v) { out.push_back(static_cast<char>(v)); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

void append_unit(std::string& out, char32_t unit) {
  out.push_back(static_cast<char>(unit & 0xFF));
  out.push_back(static_cast<char>(unit >> 8));
}

std::optional<char> windows1252_byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> utf8_to_utf16le(std::string_view utf8) {
  const auto points = code_points(utf8);
  if (!points) return std::nullopt;
  std::string out;
  out.reserve(points->size() * 2);
  for (const char32_t c : *points) {
    if (c < 0x10000) {
      append_unit(out, c);
    } else {
      append_unit(out, 0xD800 + ((c - 0x10000) >> 10));
      append_unit(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::optional<std::string> utf16le_to_utf8(std::string_view utf16le) {
  if (utf16le.size() % 2 != 0) return std::nullopt;
  const auto unit = [&](std::size_t i) -> char32_t { return byte_of(utf16le, i) | (byte_of(utf16le, i + 1) << 8); };
  std::string out;
  out.reserve(utf16le.size());
  for (std::size_t i = 0; i < utf16le.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xDC00 && c <= 0xDFFF) return std::nullopt;  // a low surrogate without its high one
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 2 >= utf16le.size()) return std::nullopt;
      const char32_t low = unit(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    append_utf8(out, c);
  }
  return out;
}

std::optional<std::string> utf8_to_windows1252(std::string_view utf8) {
  const auto points = code_points(utf8);
  if (!points) return std::nullopt;
  std::string out;
  out.reserve(points->size());
  for (const char32_t c : *points) {
    const auto b = windows1252_byte(c);
    if (!b) return std::nullopt;
    out.push_back(*b);
  }
  return out;
}

std::string windows1252_to_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint8_t b = byte_of(bytes, i);
    append_utf8(out, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b);
  }
  return out;
}

// Strict UTF-8: the shortest form only, no surrogates, nothing past U+10FFFF.
std::optional<Utf8Character> first_character(std::string_view utf8) {
  if (utf8.empty()) return std::nullopt;
  const std::uint8_t lead = byte_of(utf8, 0);
  std::size_t extra = 0;
  char32_t c = 0;
  char32_t least = 0;  // the smallest code point this length may carry
  if (lead < 0x80) {
    c = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, c = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, c = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, c = lead & 0x07, least = 0x10000;
  } else {
    return std::nullopt;  // a continuation byte, or F8..FF
  }
  if (extra > utf8.size() - 1) return std::nullopt;  // cut short
  for (std::size_t k = 1; k <= extra; ++k) {
    const std::uint8_t next = byte_of(utf8, k);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < least || c > 0x10FFFF || is_surrogate(c)) return std::nullopt;
  return Utf8Character{c, 1 + extra};
}

std::optional<std::size_t> utf16_length(std::string_view utf8) {
  const auto points = code_points(utf8);
  if (!points) return std::nullopt;
  std::size_t units = 0;
  for (const char32_t c : *points) units += c < 0x10000 ? 1 : 2;
  return units;
}

bool is_control_character(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || c == 0x200E || c == 0x200F ||
         (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

}  // namespace lg81xx
