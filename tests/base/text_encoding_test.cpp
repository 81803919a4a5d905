// Names both ways: UTF-8 inside the program, UTF-16LE or Windows-1252 on the line.
#include "base/text_encoding.h"

#include <gtest/gtest.h>

namespace lg81xx {
namespace {

using std::string_literals::operator""s;

struct Row {
  const char* what;
  std::string utf8;
  std::optional<std::string> utf16le;  // nothing: not valid UTF-8
  std::optional<std::string> cp1252;   // nothing: the 8-bit phones cannot hold it
};

const Row kRows[] = {
    {"empty", "", ""s, ""s},
    {"ASCII", "Java", "J\0a\0v\0a\0"s, "Java"s},
    {"Latin accents", "città è", "c\0i\0t\0t\0\xE0\0 \0\xE8\0"s, "citt\xE0 \xE8"s},
    {"euro sign", "€uro", "\xAC\x20u\0r\0o\0"s, "\x80uro"s},
    {"undefined byte 81 as U+0081", "\xC2\x81", "\x81\0"s, "\x81"s},
    {"C1 control the code page has no byte for", "\xC2\x80", "\x80\0"s, std::nullopt},
    {"the first three-byte code point", "\xE0\xA0\x80", "\x00\x08"s, std::nullopt},
    {"the last code point", "\xF4\x8F\xBF\xBF", "\xFF\xDB\xFF\xDF"s, std::nullopt},
    {"cut sequence", "a\xC3", std::nullopt, std::nullopt},
    {"overlong slash", "\xC0\xAF", std::nullopt, std::nullopt},
    {"encoded surrogate", "\xED\xA0\x80", std::nullopt, std::nullopt},
    {"past U+10FFFF", "\xF4\x90\x80\x80", std::nullopt, std::nullopt},
    {"lone continuation byte", "\x80", std::nullopt, std::nullopt},
};

TEST(TextEncoding, EncodesExactlyOrNotAtAll) {
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(utf8_to_utf16le(r.utf8), r.utf16le);
    EXPECT_EQ(utf8_to_windows1252(r.utf8), r.cp1252);
    if (r.utf16le) {
      EXPECT_EQ(utf16le_to_utf8(*r.utf16le), r.utf8);
      EXPECT_EQ(utf16_length(r.utf8), r.utf16le->size() / 2);
    } else {
      EXPECT_EQ(utf16_length(r.utf8), std::nullopt);
    }
    if (r.cp1252) {
      EXPECT_EQ(windows1252_to_utf8(*r.cp1252), r.utf8);
    }
  }
}

TEST(TextEncoding, RefusesBrokenUtf16) {
  for (const std::string& bytes : {"A"s, "\x3C\xD8"s, "\x3C\xD8\x41\x00"s, "\xB5\xDF\x41\x00"s}) {
    EXPECT_EQ(utf16le_to_utf8(bytes), std::nullopt) << testing::PrintToString(bytes);
  }
}

// Whatever byte an 8-bit phone sends comes back unchanged.
TEST(TextEncoding, EveryWindows1252ByteMakesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(utf8_to_windows1252(windows1252_to_utf8(all)), all);
}

}  // namespace
}  // namespace lg81xx
