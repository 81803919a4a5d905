// Connetti/Disconnetti when the port cannot be had, the keep-alive tick, and the position
// texts.
#include <gtest/gtest.h>

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
  port.on_write = [&](const Bytes&) {
    lamp_at_write.push_back(form.controls().ledr.visible);
    port.arrive(hex_to_bin("A00003"));
  };
  EXPECT_TRUE(form.keep_alive_tick());
  EXPECT_TRUE(form.keep_alive_tick());
  EXPECT_EQ(lamp_at_write, (std::vector<bool>{true, true}));
  EXPECT_FALSE(form.controls().ledr.visible);
  ASSERT_EQ(port.written.size(), 2u);
  EXPECT_EQ(bin_to_hex(port.written[0]), "83001170000EFF7DDF00A101000008007E");
  EXPECT_EQ(clock.now_ms(), 200);
}

TEST(Position, ProposedFromTheJavaListAndPaddedForTheInstall) {
  for (const auto& [rows, text] : {std::pair<std::size_t, const char*>{0, "01"}, {8, "05"}, {22, "12"}, {5, "3.5"}})
    EXPECT_EQ(insertion_position(rows), text) << rows;
  struct Case {
    const char* text;
    std::optional<std::string> padded;
  };
  for (const Case& c : {Case{"5", "05"}, Case{"64", "64"}, Case{"65", {}}, Case{" 5", {}}, Case{"123", {}},
                        Case{"", {}}})
    EXPECT_EQ(padded_position(c.text), c.padded) << c.text;
}

}  // namespace
}  // namespace lg81xx::testing
