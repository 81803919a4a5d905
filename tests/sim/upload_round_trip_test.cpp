// Installs and sound replacements through the in-process virtual phone: what the phone
// stores must be byte for byte what was chosen.
#include <gtest/gtest.h>

#include <random>

#include "java/jar_files.h"
#include "java/manifest.h"
#include "phone_port.h"
#include "platform/files.h"
#include "platform/zip/zip_archiver.h"
#include "shell/form1.h"
#include "shell/messages.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

const Bytes kJad =
    "MIDlet-1: Demo, /icon.png, Demo\r\nMIDlet-Name: Demo\r\nMIDlet-Vendor: Test\r\n"
    "MIDlet-Jar-Size: 4242\r\nMIDlet-Jar-URL: demo.jar\r\n";

Bytes every_byte_value(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes out(size, '\0');
  for (std::size_t i = 0; i < size; ++i) out[i] = as_char(static_cast<unsigned>(i < 512 ? i : random()));
  return out;
}

class PhoneRoundTrip : public ::testing::Test {
 protected:
  void start(const std::string& model) {
    phone = std::make_unique<sim::VirtualPhone>(sim::PhoneOptions{model, "354321098765432", storage.path(), 0});
    port = std::make_unique<sim::PhonePort>(*phone);
    form = std::make_unique<Form1>(Platform{*port, clock, ui, archiver, files}, home.path());
    form->frames = inizializza_obex_string();
    form->Combo1.text = model;
    port->open("sim");
    form->link_busy = false;
  }

  void install(const Bytes& jad, const Bytes& jar, const std::string& position = "05") {
    form->jad_data = jad;
    form->jar_data = jar;
    form->set_Text1(position);
    ui.messages.clear();
    form->Command3_Click();
  }

  Bytes stored(const std::string& path) const { return read_file(storage.path() / path); }

  TempDir storage, home;
  VirtualClock clock;
  RecordingUi ui;
  ZipArchiver archiver;
  LocalFiles files;
  std::unique_ptr<sim::VirtualPhone> phone;
  std::unique_ptr<sim::PhonePort> port;
  std::unique_ptr<Form1> form;
};

TEST_F(PhoneRoundTrip, AnInstallStoresTheThreeFilesOnBothFamilies) {
  ASSERT_TRUE(make_jar(home / "demo.jar", {{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n"}, {"Demo.class", "x"}}));
  const Bytes jar = read_file(home / "demo.jar");
  for (const auto& [model, message] : {std::pair{"LG U8130", text::kUploadCompletato},
                                       std::pair{"LG U8120", text::kUploadTerminato}}) {
    start(model);
    install(kJad, jar, "5");
    EXPECT_EQ(ui.messages, (std::vector<Message>{{message, MessageStyle::information, "JAVA OK"}})) << model;
    EXPECT_EQ(stored("Java/05.jad"), kJad) << model;
    EXPECT_EQ(stored("Java/05.jar"), jar) << model;
    EXPECT_EQ(stored("Java/05.mnf"), manifest_from(kJad, form->family())) << model;
  }
}

TEST_F(PhoneRoundTrip, ALargeJarWithEveryByteValueSurvives) {
  // Enough blocks for the sequence byte to pass 7D and 7E on the way.
  const Bytes jar = every_byte_value(600 * 1024, 1);
  for (const char* model : {"LG U8138", "LG U8110"}) {
    start(model);
    install(kJad, jar, "12");
    EXPECT_EQ(form->last_result, JobResult::ok) << model;
    EXPECT_TRUE(stored("Java/12.jar") == jar) << model;
    EXPECT_GT(form->frame_seq, 0x7E);
  }
}

TEST_F(PhoneRoundTrip, FilesOfSeveralMegabytesUpload) {
  start("LG U8120");
  const Bytes content = every_byte_value(3 * 1024 * 1024 + 17, 2);
  form->folder_name_chars = 4;
  form->file_name_chars = 7;
  form->upload_object(4, 7, "big.bin", "Java", static_cast<std::int64_t>(content.size()), content);
  EXPECT_EQ(form->last_result, JobResult::ok);
  EXPECT_TRUE(stored("Java/big.bin") == content);
}

TEST_F(PhoneRoundTrip, ASoundLandsAtItsPathOnBothFamilies) {
  const Bytes tone = every_byte_value(7000, 3);
  write_file(home / "new.mid", tone);
  struct Case {
    const char* model;
    const char* control;
    const char* path;
  };
  for (const Case& c : {Case{"LG U8130", "mes1", "MessageTone/Message1.mid"},
                        Case{"LG U8110", "scatto5", "CamTone/Shutter05.wav"},
                        Case{"LG U8138", "batt", "Midis/LowBattery.mid"}}) {
    start(c.model);
    form->select_sound(c.control);
    ui.messages.clear();
    ui.dialog_answers = {(home / "new.mid").string()};
    form->Command5_Click();
    EXPECT_EQ(ui.messages.at(0).text, text::kSoundLoaded) << c.model;
    EXPECT_EQ(stored(c.path), tone) << c.model;
  }
}

TEST_F(PhoneRoundTrip, WithNokiaEmulationTheStoredJarHoldsTheClasses) {
  start("LG U8130");
  const ZipEntries original{{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n"}, {"Game.class", "game"}};
  ASSERT_TRUE(make_jar(home / "game.jar", original));
  write_file(home / "game.jad", kJad);
  write_file(home / "emu/com/nokia/mid/ui/FullCanvas.class", "canvas");
  write_file(home / "emu/com/nokia/mid/ui/DeviceControl.class", "device");
  form->nokia.value = true;
  ui.dialog_answers = {(home / "game.jad").string(), (home / "game.jar").string()};
  form->Command2_Click();
  form->set_Text1("07");
  form->Command3_Click();

  ZipEntries expected = original;
  expected["com/nokia/mid/ui/FullCanvas.class"] = "canvas";
  expected["com/nokia/mid/ui/DeviceControl.class"] = "device";
  EXPECT_EQ(jar_entries(stored("Java/07.jar")), expected);
  EXPECT_EQ(stored("Java/07.jad"), kJad);
}

}  // namespace
}  // namespace lg81xx::testing
