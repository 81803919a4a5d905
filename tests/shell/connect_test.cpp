// Connect and disconnect against the virtual phone on a fake port and virtual time.
#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "shell/messages.h"
#include "support/form_fixture.h"
#include "support/phone_on_fake_port.h"

namespace lg81xx::testing {
namespace {

class Connect : public FormFixture {
 protected:
  void use_phone(const std::string& model) {
    phone = std::make_unique<sim::VirtualPhone>(sim::PhoneOptions{model, "356789012345678", storage.path(), 0});
    answer_with(port, *phone);
    form.Combo1.text = model;
    form.Combo2.text = "COM  1";
  }
  std::vector<std::string> written_hex() const {
    std::vector<std::string> out;
    for (const auto& f : port.written) out.push_back(bin_to_hex(f));
    return out;
  }
  TempDir storage;
  std::unique_ptr<sim::VirtualPhone> phone;
};

TEST_F(Connect, U813FamilyReadsImeiInfoFoldersAndPosition) {
  use_phone("LG U8130");
  write_file(storage / "Java/01.jad", "a");
  write_file(storage / "Java/01.jar", "b");
  form.Command1_Click();

  EXPECT_EQ(port.opened_device, "/dev/ttyS0");
  const std::vector<std::string> expected = {
      "41542B4347534E0D0A00",
      "41542A454F4245580D00",
      "800010110004004A00094C696E757800",
      "830019700016FF7DDF0081010000100065617379" "6D616E007E",
      "83001170000EFF7DDF008302000008007E",
      "83001170000EFF7DDF208103000008007E",
      "83001170000EFF7DDF208204000008007E",
      "83002070001DFF7DDF2083" "02" "0000170000003F000A4A0061007600610000007E",
  };
  EXPECT_EQ(written_hex(), expected);
  EXPECT_EQ(port.write_times_ms, (std::vector<std::int64_t>{0, 400, 700, 1000, 1300, 1600, 1900, 1950}));
  EXPECT_EQ(form.Label3.caption, "356789012345678");
  EXPECT_EQ(form.Label4.caption, "U8130 V10c-EUR");
  EXPECT_EQ(form.List1.items,
            (std::vector<std::string>{"Animations", "Audios", "Images", "Videos", "VoiceRecord", "Java"}));
  EXPECT_EQ(form.List2.items, (std::vector<std::string>{"01.jad", "01.jar"}));
  EXPECT_EQ(form.Text1.text, "02");
  EXPECT_EQ(form.frame_seq, 2);
  EXPECT_FALSE(form.link_busy);
  EXPECT_FALSE(form.ledr.visible);
}

TEST_F(Connect, U811FamilyUsesFixedFoldersAndTheEightBitJavaRequest) {
  use_phone("LG U8120");
  form.Command1_Click();
  ASSERT_EQ(port.written.size(), 7u) << "no root list for this family";
  EXPECT_EQ(bin_to_hex(port.written[6]), "83001C700019FF7DDF2083" "02" "0000130000003F000A4A61766100007E");
  EXPECT_EQ(form.List1.items, (std::vector<std::string>{"Immagini", "Audio", "Video", "Java"}));
  EXPECT_EQ(form.Text1.text, "01");
}

TEST_F(Connect, SecondClickSendsTheGoodbyeAndCloses) {
  use_phone("LG U8130");
  form.Command1_Click();
  port.written.clear();
  const auto before = clock.now_ms();
  form.Command1_Click();
  ASSERT_EQ(port.written.size(), 1u);
  EXPECT_EQ(bin_to_hex(port.written[0]), "83001170000EFF7DDF00822B000008007E");
  EXPECT_FALSE(port.is_open());
  EXPECT_TRUE(form.link_busy);
  EXPECT_EQ(clock.now_ms(), before);
  EXPECT_EQ(form.Label3.caption, "");
}

TEST_F(Connect, ShortAnswersGiveShortCaptions) {
  form.Combo1.text = "LG U8130";
  form.Combo2.text = "COM  2";
  port.on_write = [&](const Bytes& f) {
    if (f == form.frames.imei_query_frame) port.arrive("AT+CGSN\r\r\n12345");
    if (f == form.frames.root_list_frame) port.arrive(Bytes(17, '\1') + "Solo:");
  };
  form.Command1_Click();
  EXPECT_EQ(form.Label3.caption, "12345");
  EXPECT_EQ(form.Label4.caption, "");
  EXPECT_EQ(form.List1.items, (std::vector<std::string>{"Solo", "Java"}));
  // calcola_pos gets no answer: its message, and the flag stays up.
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], (Message{text::kNoReplyDots, MessageStyle::critical, text::kErrorTitle}));
  EXPECT_TRUE(form.link_busy);
  EXPECT_TRUE(port.is_open());
}

TEST_F(Connect, PortProblemsAreReportedAndLeaveThePortClosed) {
  form.Combo1.text = "LG U8130";
  form.Combo2.text = "";
  form.Command1_Click();
  port.can_open = false;
  form.Combo2.text = "/dev/ttyACM7";
  form.Command1_Click();
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, text::kNoPortChosen);
  EXPECT_EQ(ui.messages[1].text, std::string(text::kPortOpenFailed) + ": /dev/ttyACM7 (no such device)");
  EXPECT_EQ(form.last_result, JobResult::not_connected);
  EXPECT_FALSE(port.is_open());
  EXPECT_TRUE(port.written.empty());
}

TEST_F(Connect, LineLostDuringTheSequenceIsReportedAndAFreshClickConnects) {
  use_phone("LG U8130");
  auto answer = port.on_write;
  port.on_write = [&](const Bytes& f) {
    if (f == form.frames.phone_info_frame) return port.hang_up();
    answer(f);
  };
  form.Command1_Click();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, text::kLinkLost);
  EXPECT_EQ(form.last_result, JobResult::link_lost);
  EXPECT_EQ(port.writes_while_closed, 0);

  port.on_write = answer;
  form.Command1_Click();
  EXPECT_TRUE(port.is_open());
  EXPECT_EQ(form.last_result, JobResult::ok);
}

}  // namespace
}  // namespace lg81xx::testing
