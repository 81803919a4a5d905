// "Carica JAD e JAR": the dialogs, whole-file reads, and the emulation classes added to a
// copy of the JAR, never to the chosen file.
#include <gtest/gtest.h>

#include "shell/messages.h"
#include "support/form_fixture.h"
#include "support/jar_files.h"

namespace lg81xx::testing {
namespace {

const Bytes kJad("MIDlet-Name: X\r\n\0\x1A tail", 22);

class JadJarSelection : public FormFixture {
 protected:
  JadJarSelection() {
    write_file(home / "app.jad", kJad);
    EXPECT_TRUE(make_jar(home / "app.jar", original));
    jar_bytes = read_file(home / "app.jar");
  }

  void choose_both() { ui.dialog_answers = {(home / "app.jad").string(), (home / "app.jar").string()}; }

  ZipEntries original{{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n"},
                      {"Main.class", "main"},
                      {"com/nokia/mid/ui/FullCanvas.class", "old"}};
  Bytes jar_bytes;
};

TEST_F(JadJarSelection, ReadsBothFilesWholeAndACancelKeepsTheLabel) {
  choose_both();
  EXPECT_EQ(form.load_application(), JobResult::ok);
  EXPECT_EQ(ui.open_filters, (std::vector<std::string>{"Java Descriptor|*.jad", "Java Archive|*.jar"}));
  EXPECT_EQ(form.descriptor(), kJad);
  EXPECT_EQ(form.archive(), jar_bytes);
  EXPECT_EQ(form.controls().Label8.caption, "app.jar");

  struct Case {
    std::deque<std::optional<std::string>> answers;
    Bytes jad;
  };
  const std::vector<Case> cases{
      {{std::nullopt}, ""},
      {{(home / "app.jad").string(), std::nullopt}, kJad},
  };
  for (const auto& c : cases) {
    ui.dialog_answers = c.answers;
    EXPECT_EQ(form.load_application(), JobResult::cancelled);
    EXPECT_EQ(form.descriptor(), c.jad);
    EXPECT_EQ(form.archive(), "");
    EXPECT_EQ(form.controls().Label8.caption, "app.jar");
    EXPECT_FALSE(ui.busy);
  }
}

TEST_F(JadJarSelection, EmulationClassesGoIntoACopy) {
  write_file(home / "emu/com/nokia/mid/ui/FullCanvas.class", "new");
  write_file(home / "emu/com/nokia/mid/sound/Sound.class", "sound");
  form.set_nokia(true);
  for (int round = 0; round < 2; ++round) {
    choose_both();
    form.load_application();
    ZipEntries expected = original;
    expected["com/nokia/mid/ui/FullCanvas.class"] = "new";
    expected["com/nokia/mid/sound/Sound.class"] = "sound";
    EXPECT_EQ(jar_entries(form.archive()), expected) << "round " << round;
    EXPECT_EQ(read_file(home / "app.jar"), jar_bytes) << "the chosen JAR is never modified";
    EXPECT_FALSE(std::filesystem::exists(home / "temp.jar"));
  }
}

TEST_F(JadJarSelection, WithoutEmulationClassesTheJarIsUsedAsItIs) {
  form.set_nokia(true);
  std::filesystem::create_directories(home / "emu/empty");
  choose_both();
  form.load_application();
  EXPECT_EQ(form.archive(), jar_bytes);
  EXPECT_EQ(ui.messages, (std::vector<Message>{{text::kNoEmuClasses, MessageStyle::information, ""}}));
  EXPECT_FALSE(std::filesystem::exists(home / "temp.jar"));
}

}  // namespace
}  // namespace lg81xx::testing
