// "Carica Nuovo Suono": the names by family, the dialog filters, and what is claimed.
#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "shell/messages.h"
#include "support/form_fixture.h"

namespace lg81xx::testing {
namespace {

const Bytes kAck("\xA0\x00\x03", 3);

class SoundReplacement : public FormFixture {
 protected:
  SoundReplacement() {
    port.open("COM1");
    form.link_busy = false;
    form.Combo1.text = "LG U8130";
    write_file(home / "tone.mid", sound);
    port.on_write = [this](const Bytes&) {
      if (acknowledge) port.arrive(kAck, 30);
    };
  }

  Bytes sound = Bytes("MThd\x00\x7E\xFF", 7) + Bytes(100, 's');
  bool acknowledge = true;
};

TEST_F(SoundReplacement, TheFirstFrameCarriesTheTargetNames) {
  struct Case {
    const char* model;
    const char* control;
    const char* filter;
    Bytes names;  // from the folder length byte to the file name's terminator
  };
  const std::vector<Case> cases{
      {"LG U8120", "ok", "Audio File|*.mid", Bytes("\x06" "Audio\0" "\x15" "../Midis/success.mid\0", 29)},
      {"LG U8130", "scatto3", "Audio File|*.wav",
       "\x07" + utf16le("Audios") + Bytes(2, '\0') + "\x19" + utf16le("../CamTone/Shutter03.wav") + Bytes(2, '\0')},
      {"LG U8138", "flip2", "Audio File|*.mid",
       "\x07" + utf16le("Audios") + Bytes(2, '\0') + "\x1A" + utf16le("../FlipTone/fliptone2.mid") + Bytes(2, '\0')},
      {"LG U8130", "batt", "Audio File|*.mid",  // 47 name bytes and the terminator
       "\x07" + utf16le("Audios") + Bytes(2, '\0') + "\x18" + utf16le("../Midis/LowBattery.mid") + Bytes(2, '\0')},
  };
  for (const auto& c : cases) {
    port.written.clear();
    ui.open_filters.clear();
    form.Combo1.text = c.model;
    form.select_sound(c.control);
    form.frame_seq = 10;
    ui.dialog_answers = {(home / "tone.mid").string()};
    form.Command5_Click();
    EXPECT_EQ(ui.open_filters, std::vector<std::string>{c.filter}) << c.control;
    ASSERT_EQ(port.written.size(), 1u) << c.control;
    EXPECT_EQ(port.written[0].substr(16, c.names.size()), c.names) << c.control;
    EXPECT_EQ(byte_at(port.written[0], 11), 12) << "the handler and the engine both count";
  }
}

TEST_F(SoundReplacement, AnAcknowledgedUploadIsReported) {
  form.jad_data = "a descriptor";
  ui.dialog_answers = {(home / "tone.mid").string()};
  form.Command5_Click();
  const Message loaded{"SUONO CARICATO...", MessageStyle::information, "OPERAZIONE CONCLUSA"};
  EXPECT_EQ(ui.messages, std::vector<Message>{loaded});
  EXPECT_EQ(form.jad_data, "a descriptor");  // the sound has a buffer of its own
  EXPECT_FALSE(form.link_busy);
  EXPECT_FALSE(ui.busy);
}

TEST_F(SoundReplacement, NothingIsClaimedWithoutAnAcknowledgedUpload) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    std::vector<Message> messages;
    std::size_t writes;
  };
  const std::vector<Case> cases{
      {"no answer", [this] { acknowledge = false; }, {{text::kNoReply, MessageStyle::plain, ""}}, 1},
      {"no sound selected", [this] { form.select_sound(""); },
       {{text::kNoSoundSelected, MessageStyle::critical, "ERRORE"}}, 0},
      {"dialog cancelled", [this] { ui.dialog_answers = {std::nullopt}; }, {}, 0},
      {"empty file", [this] { write_file(home / "tone.mid", ""); },
       {{text::kEmptyFile, MessageStyle::critical, "ERRORE"}}, 0},
  };
  for (const auto& c : cases) {
    port.written.clear();
    ui.messages.clear();
    form.Label5.caption = "Label5";
    form.select_sound("mes1");
    acknowledge = true;
    form.Combo1.text = "LG U8130";
    port.open("COM1");
    ui.dialog_answers = {(home / "tone.mid").string()};
    write_file(home / "tone.mid", sound);
    form.link_busy = false;
    c.arrange();
    form.Command5_Click();
    EXPECT_EQ(ui.messages, c.messages) << c.what;
    EXPECT_EQ(port.written.size(), c.writes) << c.what;
    EXPECT_EQ(form.Label5.caption.find("100%"), std::string::npos) << c.what;
    EXPECT_NE(form.last_result, JobResult::ok) << c.what;
  }
}

}  // namespace
}  // namespace lg81xx::testing
