// The command a trace's header records comes back, word for word, as the replay reads it:
// blanks, quotes, shell characters, accents and control characters included.
#include <gtest/gtest.h>

#include <algorithm>

#include "replay_run.h"
#include "trace_log.h"

namespace lg81xx::testing {
namespace {

TEST(TraceHeader, TheRecordedCommandComesBackWordForWord) {
  EXPECT_EQ(cli::trace_header("lg81xx-cli 0.1.0", {"--port", "sim", "--model", "LG U8120", "ls", "Immagini"}),
            "# lg81xx-cli 0.1.0\n# command: --port sim --model \"LG U8120\" ls Immagini\n");
  const std::vector<std::vector<std::string>> commands = {
      {"put", "Images", "a \"b\" $c `d` \\e.txt", "--as", "città.jpg"},
      {"get", "Images", "\x1B[31m\nx\x7F", "-o", ""},
  };
  for (const auto& words : commands) {
    const std::string header = cli::trace_header("lg81xx-cli 0.1.0", words);
    const std::string head = "# lg81xx-cli 0.1.0\n# command: ";
    ASSERT_EQ(header.rfind(head, 0), 0u);
    const std::string line = header.substr(head.size(), header.size() - head.size() - 1);
    EXPECT_TRUE(std::none_of(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\x7F' || c == '\x1B'; }))
        << line;  // one line of text, whatever the words hold
    EXPECT_EQ(command_words(line), words) << header;
  }
}

}  // namespace
}  // namespace lg81xx::testing
