// A report's privacy: the IMEI hidden in every form, and nothing of the user's files
// left in the traces but their names.
#include "phone/trace/privacy_filter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/hex_codec.h"
#include "link/trace_format.h"
#include "phone/trace/session_reader.h"
#include "support/temp_dir.h"

namespace lg81xx {
namespace {

namespace fs = std::filesystem;
constexpr const char* kImei = "354321098765432";  // the virtual phone's

std::string ascii_hex(std::string_view text) { return bin_to_hex(text); }
std::string wide_hex(std::string_view text) {
  std::string out;
  for (const char c : text) out += bin_to_hex(std::string(1, c)) + "00";
  return out;
}

// Whether `text` holds `imei` in any form, blanks between the digits or bytes ignored.
bool holds(std::string text, const std::string& imei) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text.find(imei) != std::string::npos || text.find(ascii_hex(imei)) != std::string::npos ||
         text.find(wide_hex(imei)) != std::string::npos;
}

std::string spaced(const std::string& hex, const char* blank = " ") {
  std::string out;
  for (std::size_t i = 0; i < hex.size(); i += 2) out += (i ? blank : "") + hex.substr(i, 2);
  return out;
}

TEST(PrivacyFilter, HidesAllButTheLastFourDigitsOfAnImeiInEveryForm) {
  const std::string imei = kImei;
  struct Case {
    const char* what;
    std::string text;
    std::string filtered;
  };
  const std::string stars = "***********";
  const Case cases[] = {
      {"plain", "IMEI: " + imei + "\n", "IMEI: " + stars + "5432\n"},
      {"JSON", "{\"imei\": \"" + imei + "\"}", "{\"imei\": \"" + stars + "5432\"}"},
      {"an unknown one", "a 490154203237518.", "a ***********7518."},
      {"ASCII hex, spaced", "<- " + spaced(ascii_hex(imei)) + " 0D",
       "<- " + spaced(std::string(22, 'x')) + " 35 34 33 32 0D"},
      {"ASCII hex, run together", ascii_hex(imei), std::string(22, 'x') + "35343332"},
      {"ASCII hex, odd blanks", spaced(ascii_hex(imei), " \t "), ""},
      {"UTF-16LE hex", spaced(wide_hex(imei)), ""},
      {"a longer number stays", "1234567890123456", "1234567890123456"},
      {"a shorter one too", "35432109876543", "35432109876543"},
      {"inside a longer number", "#3543210987654321", "#***********54321"},
  };
  PrivacyFilter filter;
  filter.learn("       0.400 <- " + spaced(ascii_hex("\r\n" + imei + "\r\nOK\r\n")));
  EXPECT_EQ(filter.imeis(), std::vector<std::string>{imei});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string expected = c.filtered;
    for (std::size_t at = expected.find('x'); at != std::string::npos; at = expected.find('x', at))
      expected.replace(at, 2, "2A");
    const std::string filtered = filter.text(c.text);
    if (!expected.empty()) {
      EXPECT_EQ(filtered, expected);
    }
    EXPECT_FALSE(holds(filtered, imei));
    EXPECT_FALSE(holds(filtered, "490154203237518"));
  }
  EXPECT_EQ(masked_imei(imei), stars + "5432");
}

TEST(PrivacyFilter, HidesAnImeiThatCameInPieces) {
  const std::string answer = ascii_hex("AT+CGSN\r\r\n" + std::string(kImei) + "\r\n\r\nOK\r\n");
  const std::string trace = "# command: --port sim info\n       0.000 -> " + spaced(ascii_hex("AT+CGSN\r\n")) +
                            "\n       0.400 <- " + spaced(answer.substr(0, 30)) + "\n       0.400 <x " +
                            spaced(answer.substr(30)) + "\n";
  const std::string filtered = PrivacyFilter{}.trace(trace);
  EXPECT_FALSE(holds(filtered, kImei));
  const Trace back = read_trace(filtered);
  ASSERT_EQ(back.records.size(), 3u);
  EXPECT_EQ(back.records[1].bytes + back.records[2].bytes, "AT+CGSN\r\r\n***********5432\r\n\r\nOK\r\n");
}

class FilteredSession : public ::testing::TestWithParam<const char*> {};

// Every golden session, filtered: the file data gone, every frame still read as before.
TEST_P(FilteredSession, KeepsNothingOfTheFilesButTheirNames) {
  const std::string text = testing::read_file(fs::path(LG81XX_GOLDEN_DIR) / GetParam());
  std::string trace;  // the transcript's frame lines
  for (const auto& record : read_trace(text).records)
    trace += trace_line(record.time_ms, record.direction, record.bytes) + "\n";
  PrivacyFilter filter;
  filter.learn(trace);
  const std::string filtered = filter.trace(trace);
  EXPECT_FALSE(holds(filtered, kImei));
  EXPECT_EQ(filter.trace(filtered), filtered);

  // The sample files' own words (the picture's comment, the descriptor's attributes,
  // the archive's signature) that went over the line are gone.
  int went = 0;
  for (const std::string words : {"lg81xx sample picture", "MIDlet-Name", "PK\x03\x04"}) {
    if (trace.find(spaced(ascii_hex(words))) == std::string::npos) continue;
    ++went;
    EXPECT_EQ(filtered.find(spaced(ascii_hex(words))), std::string::npos) << words;
  }
  EXPECT_GT(went, 0);

  const Trace before = read_trace(trace);
  const Trace after = read_trace(filtered);
  ASSERT_EQ(after.records.size(), before.records.size());
  const Family family = family_of_trace(before).family;
  SessionReader reader(family);
  const auto shown_before = show_trace(before, family);
  const auto shown_after = show_trace(after, family);
  for (std::size_t i = 0; i < after.records.size(); ++i) {
    const TraceRecord& record = after.records[i];
    SCOPED_TRACE(shown_before[i].what);
    ASSERT_EQ(record.bytes.size(), before.records[i].bytes.size());
    for (const ByteSpan& data : reader.read(record).file_data) {  // wholly inside a hidden span
      const bool covered = std::any_of(record.hidden.begin(), record.hidden.end(), [&](const ByteSpan& h) {
        return h.start <= data.start && data.start + data.length <= h.start + h.length;
      });
      EXPECT_TRUE(covered || data.length == 0);
    }
    const std::string& was = shown_before[i].what;
    const std::string& is = shown_after[i].what;
    if (was.starts_with("upload ")) {
      EXPECT_EQ(is, was + " (file data hidden)");
    } else if (was.find(" bytes of ") != std::string::npos) {
      EXPECT_TRUE(is.ends_with("its data hidden")) << is;
    } else if (was.find("IMEI") == std::string::npos) {
      EXPECT_EQ(is, was);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(GoldenSessions, FilteredSession,
                         ::testing::Values("session-u8110.txt", "session-u8130.txt", "failures-u8120.txt",
                                           "failures-u8138.txt"));

}  // namespace
}  // namespace lg81xx
