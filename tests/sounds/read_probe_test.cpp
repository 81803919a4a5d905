// Command4: the 89-byte probe and its wait.
#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "shell/messages.h"
#include "support/form_fixture.h"

namespace lg81xx::testing {
namespace {

const std::string kProbe = "830059700056FF7DDF2086060000500007" + bin_to_hex(utf16le("Audios")) + "00001C" +
                           bin_to_hex(utf16le("../MessageTone/Message1.mid")) + "00007E";

class ReadProbe : public FormFixture {
 protected:
  ReadProbe() { port.open("COM1"); }
};

TEST_F(ReadProbe, SendsTheSameRequestWhateverTheModelAndCounter) {
  for (const auto& [model, seq] : {std::pair{"LG U8110", 0}, {"other", 0x7D}}) {
    port.written.clear();
    form.Combo1.text = model;
    form.frame_seq = static_cast<std::uint16_t>(seq);
    port.on_write = [this](const Bytes&) { port.arrive(Bytes("\xA0\x00\x03", 3)); };
    form.Command4_Click();
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(bin_to_hex(port.written[0]), kProbe) << model;
    EXPECT_EQ(port.written[0].size(), 89u);
    EXPECT_EQ(form.frame_seq, 6);
  }
}

TEST_F(ReadProbe, EndsAtTheFirstAcknowledgementOrAfterTwentyReads) {
  struct Case {
    const char* what;
    std::vector<std::pair<Bytes, std::int64_t>> replies;  // data, arrival after the write
    std::int64_t elapsed_ms;
    bool busy_after;
    std::size_t messages;
  };
  const std::vector<Case> cases{
      {"at once", {{hex_to_bin("A00003"), 0}}, 200, false, 0},
      {"late", {{hex_to_bin("A00003"), 3900}}, 4000, false, 0},
      {"refused", {{hex_to_bin("C40003"), 0}}, 4000, true, 1},
      {"silent", {}, 4000, true, 1},
  };
  for (const auto& c : cases) {
    ui.messages.clear();
    port.on_write = [&](const Bytes&) {
      for (const auto& [data, after] : c.replies) port.arrive(data, after);
    };
    form.link_busy = false;
    const auto start = clock.now_ms();
    form.Command4_Click();
    EXPECT_EQ(clock.now_ms() - start, c.elapsed_ms) << c.what;
    EXPECT_EQ(form.link_busy, c.busy_after) << c.what;
    ASSERT_EQ(ui.messages.size(), c.messages) << c.what;
    if (c.messages) {
      EXPECT_EQ(ui.messages[0], (Message{text::kNoReply, MessageStyle::critical, "ERRORE"})) << c.what;
    }
    port.read_available();
  }
}

TEST_F(ReadProbe, RefusedWhileThePortIsClosed) {
  port.close();
  form.Command4_Click();
  EXPECT_EQ(port.writes_while_closed, 0);
  EXPECT_EQ(form.last_result, JobResult::not_connected);
}

}  // namespace
}  // namespace lg81xx::testing
