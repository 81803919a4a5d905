// "Carica Nuovo Suono": a replacement is claimed only when the phone acknowledged the
// whole file, and its file never takes the place of the install's descriptor.
#include <gtest/gtest.h>

#include "shell/messages.h"
#include "support/form_fixture.h"
#include "support/jar_files.h"

namespace lg81xx::testing {
namespace {

const Bytes kAck("\xA0\x00\x03", 3);
const Bytes kSound = Bytes("MThd\x00\x7E\xFF", 7) + Bytes(100, 's');

class SoundReplacement : public FormFixture {
 protected:
  SoundReplacement() {
    form.choose_model("LG U8130");
    form.phone().open("COM1");
    port.on_write = [this](const Bytes&) {
      if (acknowledge) port.arrive(kAck, 30);
    };
  }
  bool acknowledge = true;
};

TEST_F(SoundReplacement, OnlyAnAcknowledgedUploadIsClaimed) {
  const Bytes jad = "MIDlet-Name: A\r\n";
  write_file(home / "a.jad", jad);
  make_jar(home / "a.jar", {{"a.class", "an archive"}});
  ui.dialog_answers = {(home / "a.jad").string(), (home / "a.jar").string()};
  form.load_application();
  struct Case {
    const char* what;
    std::function<void()> arrange;
    JobResult result;
    std::vector<Message> messages;
    std::size_t writes;
    bool line_freed;  // the keep-alive may go again however a tried replacement ended
  };
  const std::vector<Case> cases{
      {"no sound selected", [this] { form.select_sound(""); }, JobResult::bad_input,
       {{text::kNoSoundSelected, MessageStyle::critical, "ERRORE"}}, 0, false},
      {"unknown model", [this] { choose_model_and_open(""); }, JobResult::bad_input,
       {{text::kUnknownModel, MessageStyle::critical, "ERRORE"}}, 0, false},
      {"dialog cancelled", [this] { ui.dialog_answers = {std::nullopt}; }, JobResult::cancelled, {}, 0, true},
      {"empty file", [this] { write_file(home / "tone.mid", ""); }, JobResult::bad_input,
       {{text::kEmptyFile, MessageStyle::critical, "ERRORE"}}, 0, true},
      {"no answer", [this] { acknowledge = false; }, JobResult::no_reply,
       {{text::kNoReply, MessageStyle::plain, ""}}, 1, true},
      {"acknowledged", [] {}, JobResult::ok, {{text::kSoundLoaded, MessageStyle::information, text::kSoundTitle}}, 1,
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    port.written.clear();
    ui.messages.clear();
    form.select_sound("mes1");
    choose_model_and_open("LG U8130");
    acknowledge = true;
    ui.dialog_answers = {(home / "tone.mid").string()};
    write_file(home / "tone.mid", kSound);
    form.phone().hold_line();
    c.arrange();
    EXPECT_EQ(form.replace_sound(), c.result);
    EXPECT_EQ(ui.messages, c.messages);
    EXPECT_EQ(port.written.size(), c.writes);
    EXPECT_EQ(form.progress_bar().caption == "100%", c.result == JobResult::ok);
    EXPECT_EQ(form.phone().line_free(), c.line_freed);
    EXPECT_FALSE(ui.busy);
  }
  EXPECT_EQ(form.descriptor(), jad);
}

}  // namespace
}  // namespace lg81xx::testing
