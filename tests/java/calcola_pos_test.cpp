// The Java list read at connect time and the position it proposes.
#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "shell/messages.h"
#include "support/form_fixture.h"

namespace lg81xx::testing {
namespace {

Bytes java_reply(std::size_t rows) {
  std::string entries;
  for (std::size_t i = 0; i < rows; ++i) entries += (i ? ":" : "") + std::to_string(i) + "x";
  return Bytes("\xA0", 1) + Bytes(23, '\0') + "/" + entries;
}

class CalcolaPos : public FormFixture {
 protected:
  void SetUp() override {
    port.open("/dev/ttyS0");
    form.Combo1.text = "LG U8130";
    form.frame_seq = 1;
    form.link_busy = false;
  }
};

TEST_F(CalcolaPos, ProposesTheNextPositionAndWarnsOnThreeCharacters) {
  struct Case {
    std::size_t rows;
    const char* text;
    bool warned;
  };
  for (const Case& c : {Case{0, "01", false}, Case{8, "05", false}, Case{22, "12", false}, Case{5, "3.5", true}}) {
    SCOPED_TRACE(c.rows);
    ui.messages.clear();
    port.on_write = [&](const Bytes&) { port.arrive(java_reply(c.rows)); };
    form.calcola_pos();
    EXPECT_EQ(form.List2.items.size(), c.rows);
    EXPECT_EQ(form.Text1.text, c.text);
    EXPECT_EQ(ui.messages.size(), c.warned ? 1u : 0u);
    if (c.warned) {
      EXPECT_EQ(ui.messages[0].text, text::kPositionRange);
    }
  }
}

TEST_F(CalcolaPos, TheRequestDependsOnTheModelNotOnTheLastFolder) {
  form.List1.items = {"Images"};
  form.List1.list_index = 0;
  form.frame_seq = 15;
  port.on_write = [&](const Bytes&) { port.arrive(java_reply(1)); };
  form.calcola_pos();
  form.Combo1.text = "LG U8120";
  form.calcola_pos();
  ASSERT_EQ(port.written.size(), 2u);
  EXPECT_EQ(bin_to_hex(port.written[0]), "83002070001DFF7DDF208310" "0000170000003F000A4A0061007600610000007E");
  EXPECT_EQ(bin_to_hex(port.written[1]), "83001C700019FF7DDF208311" "0000130000003F000A4A61766100007E");
}

TEST_F(CalcolaPos, NoReplyLeavesEverythingEmptyAndTheFlagUp) {
  form.List2.items = {"old"};
  form.calcola_pos();
  EXPECT_EQ(clock.now_ms(), 3000);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], (Message{text::kNoReplyDots, MessageStyle::critical, text::kErrorTitle}));
  EXPECT_TRUE(form.List2.items.empty());
  EXPECT_TRUE(form.link_busy);
  form.Timer1_Timer();
  EXPECT_EQ(port.written.size(), 1u) << "the keep-alive stays silent";
}

}  // namespace
}  // namespace lg81xx::testing
