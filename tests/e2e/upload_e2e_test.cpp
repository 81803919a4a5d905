// Installs and sound replacements over the real serial adapter against the virtual phone
// on a pseudo-terminal, in real time with the fast waits: what the phone stores must be
// byte for byte what was chosen.
#include <gtest/gtest.h>

#include <random>

#include "java/jar_files.h"
#include "java/manifest.h"
#include "platform/files.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/zip/zip_archiver.h"
#include "pty_phone.h"
#include "shell/form1.h"
#include "shell/messages.h"
#include "support/recording_ui.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

const Bytes kJad = "MIDlet-Name: Demo\r\nMIDlet-Vendor: Test\r\nMIDlet-Jar-Size: 1\r\nMIDlet-Jar-URL: demo.jar\r\n";

Bytes random_bytes(std::size_t size) {
  std::mt19937 random(7);
  Bytes out(size, '\0');
  for (std::size_t i = 0; i < size; ++i) out[i] = as_char(static_cast<unsigned>(i < 256 ? i : random()));
  return out;
}

class UploadEndToEnd : public ::testing::Test {
 protected:
  UploadEndToEnd() : form(Platform{port, clock, ui, archiver, files}, home.path()) {
    form.frames = inizializza_obex_string();
    form.link().set_mode(WaitMode::fast);
    write_file(home / "demo.jad", kJad);
    write_file(home / "tone.mid", random_bytes(6000));
  }

  void connect(const std::string& model, const std::string& device) {
    form.Combo1.text = model;
    form.Combo2.text = device;
    form.Command1_Click();
    ASSERT_TRUE(port.is_open());
    ASSERT_TRUE(ui.messages.empty());
  }

  void choose_and_install(const std::string& position) {
    ui.dialog_answers = {(home / "demo.jad").string(), (home / "demo.jar").string()};
    form.Command2_Click();
    form.set_Text1(position);
    form.Command3_Click();
  }

  void replace_sound(const std::string& control) {
    form.select_sound(control);
    ui.dialog_answers = {(home / "tone.mid").string()};
    form.Command5_Click();
  }

  Bytes stored(const std::string& path) const { return read_file(storage / path); }

  QtSerialPort port;
  SteadyClock clock;
  RecordingUi ui;
  ZipArchiver archiver;
  LocalFiles files;
  TempDir home;
  TempDir storage;
  Form1 form;
};

TEST_F(UploadEndToEnd, U813InstallWithEmulationClassesAndASound) {
  const ZipEntries original{{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n"}, {"Demo.class", "demo"}};
  ASSERT_TRUE(make_jar(home / "demo.jar", original));
  write_file(home / "emu/com/nokia/mid/ui/FullCanvas.class", "canvas");
  form.nokia.value = true;
  SimProcess sim(LG81XX_SIM_PROGRAM, {"--model", "LG U8130", "--storage", storage.path().string()});
  connect("LG U8130", sim.device_path());

  choose_and_install("05");
  EXPECT_EQ(ui.messages, (std::vector<Message>{{text::kUploadCompletato, MessageStyle::information, "JAVA OK"}}));
  EXPECT_EQ(stored("Java/05.jad"), kJad);
  EXPECT_EQ(stored("Java/05.mnf"), manifest_from(kJad, Family::u813));
  ZipEntries expected = original;
  expected["com/nokia/mid/ui/FullCanvas.class"] = "canvas";
  EXPECT_EQ(jar_entries(stored("Java/05.jar")), expected);

  form.calcola_pos();  // the phone now lists 05.jad and 05.jar
  EXPECT_EQ(form.List2.items, (std::vector<std::string>{"05.jad", "05.jar"}));

  ui.messages.clear();
  replace_sound("mes1");
  EXPECT_EQ(ui.messages.at(0).text, text::kSoundLoaded);
  EXPECT_EQ(stored("MessageTone/Message1.mid"), read_file(home / "tone.mid"));
  form.Command1_Click();
}

TEST_F(UploadEndToEnd, U811InstallOfALargeJarAndASound) {
  const Bytes jar = random_bytes(300 * 1024);
  write_file(home / "demo.jar", jar);
  sim::PtyPhone phone(sim::PhoneOptions{"LG U8120", "359999000011112", storage.path(), 0});
  connect("LG U8120", phone.device_path());

  choose_and_install("05");
  EXPECT_EQ(ui.messages, (std::vector<Message>{{text::kUploadTerminato, MessageStyle::information, "JAVA OK"}}));
  EXPECT_EQ(stored("Java/05.jad"), kJad);
  EXPECT_TRUE(stored("Java/05.jar") == jar);
  EXPECT_EQ(stored("Java/05.mnf"), manifest_from(kJad, Family::u811_u812));

  ui.messages.clear();
  replace_sound("batt");
  EXPECT_EQ(ui.messages.at(0).text, text::kSoundLoaded);
  EXPECT_EQ(stored("Midis/LowBattery.mid"), read_file(home / "tone.mid"));
  form.Command1_Click();
}

}  // namespace
}  // namespace lg81xx::testing
