// What the command line shows at a terminal: message lines, dialogs answered from the
// arguments, the progress bar, trace lines and JSON.
#include <gtest/gtest.h>

#include <sstream>

#include "json_text.h"
#include "message_guide.h"
#include "name_escapes.h"
#include "progress_meter.h"
#include "shell/message_table.h"
#include "shell/messages.h"

namespace lg81xx::cli {
namespace {

// Each message as the window shows it, then in brackets what it means and what to try.
TEST(CliMessages, ItalianTextWithTheNextStepInEnglish) {
  const std::pair<std::string, const char*> rows[] = {
      {text::kNoReply, "lg81xx-cli ports"},
      {port_failure_text(PortFailure::not_found, "/dev/ttyS2", ""), "plug the phone in"},
      {port_failure_text(PortFailure::in_use, "/dev/ttyACM0", ""), "another program has the port open"},
      {port_failure_text(PortFailure::denied, "/dev/ttyACM0", ""), "join the dialout group"},
      {port_failure_text(PortFailure::other, "/dev/ttyACM0", "Input/output error"), "could not be opened"},
      {std::string(text::kFolderNotWritable) + ": /x", "--home DIR"},
  };
  for (const auto& [italian, next_step] : rows) {
    const std::string line = message_line(text::kErrorTitle, italian);
    EXPECT_EQ(line.rfind("ERRORE: " + italian + " (", 0), 0u) << line;
    EXPECT_NE(line.find(next_step), std::string::npos) << line;
  }
  EXPECT_EQ(message_line("X", "SOMETHING NEW"), "X: SOMETHING NEW");
}

TEST(CliProgress, PlainLinesEveryTenthAndBarOnATerminal) {
  const double widths[] = {0, 6375 * 0.05, 6375 * 0.12, 6375 * 0.19, 6375 * 0.5, 6375, 0, 6375 * 0.3};
  std::ostringstream plain;
  {
    ProgressMeter meter(plain, false);
    for (double w : widths) meter.show(w);
  }
  EXPECT_EQ(plain.str(), "0%\n12%\n50%\n100%\n0%\n30%\n");

  std::ostringstream bar;
  {
    ProgressMeter meter(bar, true);
    meter.show(6375 * 0.5);
    meter.show(6375 * 0.5);  // unchanged: not drawn again
    meter.show(6375);
  }
  EXPECT_EQ(bar.str(), "\r[###############...............] 50%\r[##############################] 100%\n");
}

TEST(CliJson, StringsAreEscapedAndAlwaysValid) {
  EXPECT_EQ(json_string("a\"b\\c"), R"("a\"b\\c")");
  // Names pass as UTF-8; a byte that is not UTF-8 is read as Latin-1.
  EXPECT_EQ(json_string(std::string("\x00\x1F\n\xE8", 4) + "città€😀\x1b\u009f"),
            R"("\u0000\u001F\n\u00E8città€😀\u001B\u009F")");
  EXPECT_EQ(json_list({}), "[]");
  EXPECT_EQ(json_list({"Images", "Java"}), R"(["Images", "Java"])");
}

// Plain output: one line per name, and the line reads back to the exact name.
TEST(CliNames, EscapedNamesReadBackExactly) {
  const std::pair<std::string, std::string> cases[] = {
      {"~città €uro 日本 😀.jpg", "~città €uro 日本 😀.jpg"},  // printable, so as it is
      {"a\nb\r\t", R"(a\nb\r\t)"},
      {"\x1b[31mred\x7f", R"(\x1B[31mred\x7F)"},
      {R"(a\nb)", R"(a\\nb)"},
      {"\u009b2J \u202Egpj.exe \u2028", R"(\u009B2J \u202Egpj.exe \u2028)"},
      {"caf\xE8", R"(caf\xE8)"},  // not UTF-8
  };
  for (const auto& [name, shown] : cases) {
    EXPECT_EQ(escaped_name(name), shown);
    EXPECT_EQ(unescaped_name(shown), name) << shown;
  }
  for (const char* broken : {R"(a\)", R"(\q)", R"(\x4)", R"(\u0041)"}) EXPECT_FALSE(unescaped_name(broken)) << broken;

  const std::vector<std::string> entries{"a\nb", R"(a\nb)", R"(\q)", "X"};
  const std::pair<std::string, std::optional<std::string>> typed[] = {
      {R"(a\nb)", "a\nb"},  // as plain output shows the newline, though another entry is spelled so
      {R"(a\\nb)", R"(a\nb)"},
      {"a\nb", "a\nb"},
      {R"(\q)", R"(\q)"},  // exactly so: no escape reads it
      {"X", "X"},
      {"Y", std::nullopt},
  };
  for (const auto& [text, entry] : typed) EXPECT_EQ(listed_entry(entries, text), entry) << text;
}

}  // namespace
}  // namespace lg81xx::cli
