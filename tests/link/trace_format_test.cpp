// Traces read back: frame lines, the heading, the marks of hidden file data.
#include "link/trace_format.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lg81xx {
namespace {

TEST(TraceFormat, ReadsFrameLinesAndRefusesEverythingElse) {
  struct Case {
    const char* line;
    bool frame;
    std::int64_t time_ms = 0;
    Direction direction = Direction::sent;
    Bytes bytes = {};
    std::vector<ByteSpan> hidden = {};
  };
  const Case cases[] = {
      {"       0.400 -> 41 54 2b 0D", true, 400, Direction::sent, "AT+\r"},
      {"      12.059 <- A0 00 03", true, 12059, Direction::received, Bytes("\xA0\x00\x03", 3)},
      {"1.000 <x", true, 1000, Direction::dropped, ""},
      {"   3.000 <- A0 [4 file bytes] 7E", true, 3000, Direction::received, Bytes("\xA0\0\0\0\0\x7E", 6), {{1, 4}}},
      {"  25.000 !! the session request (00 81) refused", true, 25000, Direction::note,
       "the session request (00 81) refused"},
      {"   0.400 => 41", false},
      {"   0.4 -> 41", false},
      {"   0.4x0 -> 41", false},              // three decimals
      {"9223372036854776.000 -> 41", false},  // milliseconds out of range
      {"   0.400 -> 4", false},               // half a byte
      {"   0.400 -> 414", false},             // bytes run together
      {"   0.400 -> 4G", false},
      {"   0.400 ->41", false},
      {"   0.400 -> [0 file bytes]", false},
      {"   0.400 -> [4 bytes]", false},
      {"       2.600 :: List2 = [grande.bin, lago.jpg] @1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const auto record = read_trace_line(c.line);
    ASSERT_EQ(record.has_value(), c.frame);
    if (!record) continue;
    EXPECT_EQ(record->time_ms, c.time_ms);
    EXPECT_EQ(record->direction, c.direction);
    EXPECT_EQ(record->bytes, c.bytes);
    ASSERT_EQ(record->hidden.size(), c.hidden.size());
    for (std::size_t i = 0; i < c.hidden.size(); ++i) {
      EXPECT_EQ(record->hidden[i].start, c.hidden[i].start);
      EXPECT_EQ(record->hidden[i].length, c.hidden[i].length);
    }
  }
}

TEST(TraceFormat, WritesWhatItReads) {
  for (const char* line : {"       0.400 -> 41 54 2B 43 47 53 4E 0D 0A 00", "     123.005 <x A0 00 03",
                           "       3.000 <- A0 [4 file bytes] 7E [2 file bytes]", "       0.000 ->",
                           "      25.000 !! AT*EOBEX refused; the connect goes on"}) {
    const auto record = read_trace_line(line);
    ASSERT_TRUE(record) << line;
    EXPECT_EQ(trace_line(record->time_ms, record->direction, record->bytes, record->hidden), line);
  }
}

TEST(TraceFormat, ReadsAWholeTraceWithItsHeading) {
  const Trace trace = read_trace(
      "# lg81xx-cli 1.4.0\r\n# command: --port sim --model \"LG U8120\" ls Immagini\n\n"
      "       0.000 -> 41 54\r\nnot a frame\n       0.400 <- 4F 4B");
  EXPECT_EQ(trace.heading,
            (std::vector<std::string>{"lg81xx-cli 1.4.0", "command: --port sim --model \"LG U8120\" ls Immagini"}));
  ASSERT_EQ(trace.records.size(), 2u);
  EXPECT_EQ(trace.records[0].line, 4u);
  EXPECT_EQ(trace.records[1].bytes, "OK");
  EXPECT_EQ(trace.unreadable, std::vector<std::size_t>{5});
}

TEST(TraceFormat, FindsAnOptionAsTheShellWroteIt) {
  struct Case {
    const char* heading;
    std::optional<std::string> model;
  };
  const Case cases[] = {
      {"command: --port sim --model \"LG U8120\" ls Immagini", "LG U8120"},
      {"command: --model='LG U8110' info", "LG U8110"},
      {"command: --model LG\\ U8138 info", "LG U8138"},
      {"command: --model \"LG \\\"U8130\\\"\"", "LG \"U8130\""},
      {"command: --model=LG info --model \"LG U8110\"", "LG U8110"},  // the last one wins
      {"command: --models x info", std::nullopt},
      {"command: info --model", std::nullopt},
      {"command: --model \"LG U8120", std::nullopt},  // a quote left open
      {"lg81xx-cli --model X", std::nullopt},         // only the command counts
  };
  for (const Case& c : cases) EXPECT_EQ(heading_option({c.heading}, "--model"), c.model) << c.heading;
}

TEST(TraceFormat, TheHeadingGivesBackTheCommandWordForWord) {
  EXPECT_EQ(trace_heading("lg81xx-cli 0.1.0", {"--port", "sim", "--model", "LG U8120", "ls", "Immagini"}),
            "# lg81xx-cli 0.1.0\n# command: --port sim --model \"LG U8120\" ls Immagini\n");
  const std::vector<std::vector<std::string>> commands = {
      {"put", "Images", "a \"b\" $c `d` \\e.txt", "x\\x41", "--as", "città.jpg"},
      {"get", "Images", "\x1B[31m\nx\x7F", "-o", ""},
  };
  for (const auto& words : commands) {
    const Trace trace = read_trace(trace_heading("lg81xx-cli 0.1.0", words) + "       0.000 -> 41\n");
    ASSERT_EQ(trace.heading.size(), 2u);  // two lines of text, whatever the words hold
    EXPECT_TRUE(std::none_of(trace.heading[1].begin(), trace.heading[1].end(), [](char c) {
      return c == '\x7F' || c == '\x1B';
    })) << trace.heading[1];
    EXPECT_EQ(trace.records.size(), 1u);
    EXPECT_EQ(heading_command(trace.heading), words) << trace.heading[1];
  }
}

}  // namespace
}  // namespace lg81xx
