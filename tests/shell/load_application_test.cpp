// "Carica JAD e JAR": the dialogs, whole-file reads, and the emulation classes added to a
// copy of the JAR, never to the chosen file.
#include <gtest/gtest.h>

#include "phone/frames/descriptor.h"
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

TEST_F(JadJarSelection, ReadsBothFilesWhole) {
  choose_both();
  EXPECT_EQ(form.load_application(), JobResult::ok);
  EXPECT_EQ(ui.open_filters, (std::vector<std::string>{"Java Descriptor|*.jad", "Java Archive|*.jar"}));
  EXPECT_EQ(form.descriptor(), kJad);
  EXPECT_EQ(form.archive(), jar_bytes);
  EXPECT_EQ(form.controls().Label8.caption, "app.jar");
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

TEST_F(JadJarSelection, TheDescriptorSentStatesTheSizeOfTheJarSent) {
  write_file(home / "emu/a.class", "a");
  const std::string real = std::to_string(jar_bytes.size());
  struct Case {
    std::string stated;
    bool nokia;
    bool warned;
  };
  for (const Case& c : {Case{real, false, false}, Case{"1", false, true}, Case{"1", true, false}}) {
    const Bytes jad = "MIDlet-Name: X\r\nMIDlet-Jar-Size: " + c.stated + "\r\nMIDlet-Jar-URL: app.jar\r\n";
    write_file(home / "app.jad", jad);
    ui.messages.clear();
    form.set_nokia(c.nokia);
    choose_both();
    EXPECT_EQ(form.load_application(), JobResult::ok);
    const Message warning{std::string(text::kJarSizeDiffers) + ": MIDlet-Jar-Size 1, app.jar " + real + " byte",
                          MessageStyle::warning, ""};
    EXPECT_EQ(ui.messages, c.warned ? std::vector<Message>{warning} : std::vector<Message>{});
    const std::string sent = std::to_string(form.archive().size());
    EXPECT_EQ(form.descriptor(), c.nokia ? with_jar_size(jad, form.archive().size()) : jad);
    EXPECT_EQ(stated_jar_size(form.descriptor()), c.warned ? c.stated : sent);
    EXPECT_EQ(read_file(home / "app.jad"), jad) << "the chosen descriptor is never modified";
  }
}

}  // namespace
}  // namespace lg81xx::testing
