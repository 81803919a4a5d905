#pragma once
// Names between the program and the phones. Inside the program a name is UTF-8 text; on
// the line the U813 family carries UTF-16LE (characters outside the Basic Multilingual
// Plane as surrogate pairs) and the U811/U812 family its 8-bit code page, Windows-1252.
// Byte strings are std::string, one char per byte.
//
// Every conversion is exact or gives nothing: invalid UTF-8 (overlong forms, encoded
// surrogates, code points past U+10FFFF, cut sequences), an odd number of UTF-16LE bytes
// or an unpaired surrogate, or a character that Windows-1252 cannot hold.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lg81xx {

std::optional<std::string> utf8_to_utf16le(std::string_view utf8);
std::optional<std::string> utf16le_to_utf8(std::string_view utf16le);

std::optional<std::string> utf8_to_windows1252(std::string_view utf8);
// Every byte has a meaning here, so decoding cannot fail: the five bytes the code page
// leaves undefined (81, 8D, 8F, 90, 9D) become U+0081, U+008D, U+008F, U+0090 and U+009D,
// as Windows itself decodes them, and encoding gives them back, so a name a phone sends
// makes the round trip unchanged.
std::string windows1252_to_utf8(std::string_view bytes);

// The number of UTF-16 code units of a UTF-8 text (a character outside the Basic
// Multilingual Plane counts two): the character count of the U813 family's length bytes.
std::optional<std::size_t> utf16_length(std::string_view utf8);

// The character a text starts with: its code point and its size in bytes. Nothing when
// the text is empty or does not start with a whole, valid UTF-8 character.
struct Utf8Character {
  char32_t code_point;
  std::size_t size;
};
std::optional<Utf8Character> first_character(std::string_view utf8);

// C0 and C1 controls, DEL, the line and paragraph separators, the bidirectional controls.
bool is_control_character(char32_t c);

}  // namespace lg81xx
