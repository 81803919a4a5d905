// Connetti/Disconnetti when the port cannot be had, the keep-alive tick, and the position
// texts.
#include <gtest/gtest.h>

#include <numeric>

#include "base/hex_codec.h"
#include "shell/messages.h"
#include "shell/position.h"
#include "support/form_fixture.h"

namespace lg81xx::testing {
namespace {

class Connection : public FormFixture {};

TEST_F(Connection, PortProblemsAreReportedAndLeaveThePortClosed) {
  form.choose_model("LG U8130");
  EXPECT_EQ(form.connect_or_disconnect(), JobResult::not_connected);  // no port chosen
  port.can_open = false;
  form.choose_port("/dev/ttyACM7");
  EXPECT_EQ(form.connect_or_disconnect(), JobResult::not_connected);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0], (Message{text::kNoPortChosen, MessageStyle::critical, text::kErrorTitle}));
  EXPECT_EQ(ui.messages[1].text, std::string(text::kPortOpenFailed) + ": /dev/ttyACM7 (no such device)");
  EXPECT_FALSE(port.is_open());
  EXPECT_TRUE(port.written.empty());
}

TEST_F(Connection, TheTickSendsTheKeepAliveOnlyOnAFreeLine) {
  EXPECT_FALSE(form.keep_alive_tick()) << "closed";
  form.phone().open("COM1");
  EXPECT_FALSE(form.keep_alive_tick()) << "held until a connect";
  form.phone().free_line();
  std::vector<bool> lamp_at_write;
  port.on_write = [&](const Bytes&) { lamp_at_write.push_back(form.controls().ledr.visible); };
  EXPECT_TRUE(form.keep_alive_tick());
  EXPECT_TRUE(form.keep_alive_tick());
  EXPECT_EQ(lamp_at_write, (std::vector<bool>{true, true}));
  EXPECT_FALSE(form.controls().ledr.visible);
  ASSERT_EQ(port.written.size(), 2u);
  EXPECT_EQ(bin_to_hex(port.written[0]), "83001170000EFF7DDF00A101000008007E");
  EXPECT_EQ(clock.now_ms(), 200);
}

// The rows of a "Java" listing with an application at each of `positions`.
std::vector<std::string> java_rows(const std::vector<int>& positions) {
  std::vector<std::string> rows;
  for (int n : positions) {
    const std::string nn{char('0' + n / 10), char('0' + n % 10)};
    rows.insert(rows.end(), {nn + ".jad", nn + ".jar"});
  }
  return rows;
}

TEST(Position, TheFirstFreeOneIsProposed) {
  std::vector<int> all(64);
  std::iota(all.begin(), all.end(), 1);
  const auto full = java_rows(all);
  struct Case {
    const char* what;
    std::vector<std::string> rows;
    std::optional<std::string> proposed;
  };
  const Case cases[] = {
      {"empty", {}, "01"},
      {"contiguous: rows / 2 + 1", java_rows({1, 2, 3, 4}), "05"},
      {"a gap", java_rows({1, 3}), "02"},
      {"01 removed", java_rows({2, 3}), "01"},
      {"a lone descriptor", {"01.jad", "01.jar", "02.JAD"}, "03"},
      {"a lone archive", {"01.jar"}, "02"},
      {"other files take nothing", {"01.mnf", "1.jad", "001.jar", "ab.jad", "01.jadx", ""}, "01"},
      {"00 is never proposed", java_rows({0}), "01"},
      {"full", full, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(first_free_position(c.rows), c.proposed) << c.what;
  EXPECT_TRUE(is_taken(java_rows({0, 64}), "00"));
  EXPECT_TRUE(is_taken(java_rows({0, 64}), "64"));
  EXPECT_FALSE(is_taken(java_rows({0, 64}), "6"));
  EXPECT_FALSE(is_taken({"05.mnf"}, "05"));
}

TEST(Position, PaddedForTheInstall) {
  struct Case {
    const char* text;
    std::optional<std::string> padded;
  };
  for (const Case& c : {Case{"0", "00"}, Case{"5", "05"}, Case{"64", "64"}, Case{"65", {}}, Case{" 5", {}}, Case{"123", {}},
                        Case{"", {}}})
    EXPECT_EQ(padded_position(c.text), c.padded) << c.text;
}

}  // namespace
}  // namespace lg81xx::testing
