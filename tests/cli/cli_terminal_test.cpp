// What the command line shows at a terminal: message lines, questions answered from the
// options, the progress bar, and names in plain output and JSON.
#include <gtest/gtest.h>

#include <sstream>

#include "base/name_escapes.h"
#include "jobs/endings.h"
#include "json_text.h"
#include "progress_meter.h"
#include "terminal_listener.h"

namespace lg81xx::cli {
namespace {

// Each message as the window shows it, then in brackets what it means and what to try;
// a question with the answer the options gave.
TEST(CliMessages, ItalianTextWithTheNextStepInEnglish) {
  const std::pair<Message, const char*> rows[] = {
      {{MessageId::no_reply, {}, {}}, "lg81xx-cli ports"},
      {port_failure_message(PortFailure::not_found, "/dev/ttyS2", ""), "plug the phone in"},
      {port_failure_message(PortFailure::denied, "/dev/ttyACM0", ""), "join the dialout group"},
      {{MessageId::program_folder_not_writable, ": /x", {}}, "--home DIR"},
  };
  for (const auto& [message, next_step] : rows) {
    const std::string line = message_line(message);
    EXPECT_EQ(line.rfind("ERRORE: " + message.italian() + " (", 0), 0u) << line;
    EXPECT_NE(line.find(next_step), std::string::npos) << line;
  }
  EXPECT_EQ(message_line({MessageId::no_emu_classes, {}, {}}).rfind("CLASSI DI EMULAZIONE", 0), 0u) << "no title";

  std::ostringstream err;
  TerminalListener listener(err, false);
  listener.answer_questions(false, "--force");
  EXPECT_FALSE(listener.ask({MessageId::replace_file, " a.jpg?", {}}));
  listener.answer_questions(true, "--force");
  EXPECT_TRUE(listener.ask({MessageId::replace_file, " a.jpg?", {}}));
  EXPECT_EQ(err.str(),
            "CONFERMA: FILE GIÀ ESISTENTE: sostituire a.jpg? (a file of that name is already there) -> no (--force "
            "says yes)\n"
            "CONFERMA: FILE GIÀ ESISTENTE: sostituire a.jpg? (a file of that name is already there) -> yes\n");
}

TEST(CliProgress, PlainLinesEveryTenthAndBarOnATerminal) {
  const double fractions[] = {0, 0.05, 0.12, 0.19, 0.5, 1, 0, 0.3};
  std::ostringstream plain;
  {
    ProgressMeter meter(plain, false);
    for (double f : fractions) meter.show(f);
  }
  EXPECT_EQ(plain.str(), "0%\n12%\n50%\n100%\n0%\n30%\n");

  std::ostringstream bar;
  {
    ProgressMeter meter(bar, true);
    meter.show(0.5);
    meter.show(0.5);  // unchanged: not drawn again
    meter.show(1);
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
  // A name whose ends would not show is quoted; no other is.
  const std::pair<std::string, std::string> quoted[] = {
      {"", R"("")"}, {"   ", R"("   ")"}, {" a\n", R"(" a\n")"}, {"a b", "a b"}, {R"("a")", R"("a")"}};
  for (const auto& [name, shown] : quoted) EXPECT_EQ(quoted_name(name), shown) << name;

  const std::vector<std::string> entries{"a\nb", R"(a\nb)", R"(\q)", "X", "  ", R"(" ")"};
  const std::pair<std::string, std::optional<std::string>> typed[] = {
      {R"(a\nb)", "a\nb"},  // as plain output shows the newline, though another entry is spelled so
      {R"(a\\nb)", R"(a\nb)"},
      {"a\nb", "a\nb"},
      {R"(\q)", R"(\q)"},  // exactly so: no escape reads it
      {"X", "X"},
      {"Y", std::nullopt},
      {R"("  ")", "  "},         // as plain output shows it
      {R"(" ")", R"(" ")"},      // spelled exactly so
      {R"("X")", std::nullopt},  // X is never shown quoted
  };
  for (const auto& [text, entry] : typed) EXPECT_EQ(listed_entry(entries, text), entry) << text;
}

}  // namespace
}  // namespace lg81xx::cli
