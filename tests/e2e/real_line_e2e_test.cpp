// Form1 over the real serial adapter, in real time with the fast waits, against a phone on
// a pseudo-terminal. The lg81xx-sim program is paced to 115200 baud and thinks before every
// answer, so replies trickle in 64-byte bursts and come late: a fast wait that took a
// partial reply for a whole one, or dropped bytes between reads, shows up as a corrupted
// or failed transfer. An install lands byte for byte; a line pulled in the middle of a
// download leaves nothing reported as done and connects again. (Downloads over this
// adapter and a paced line are the command line's pseudo-terminal runs.)
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "phone/frames/descriptor.h"
#include "phone/frames/manifest.h"
#include "platform/files.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/zip/zip_archiver.h"
#include "pty_phone.h"
#include "shell/form1.h"
#include "shell/messages.h"
#include "support/jar_files.h"
#include "support/recording_ui.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

Bytes random_bytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes out(size, '\0');
  for (auto& c : out) c = as_char(static_cast<unsigned>(random()));
  return out;
}

class RealLine : public ::testing::Test {
 protected:
  RealLine() : form(Platform{port, clock, ui, archiver, files}, home.path()) { form.set_fast(true); }

  void connect(const std::string& model, const std::string& device) {
    form.choose_model(model);
    form.choose_port(device);
    ASSERT_EQ(form.connect_or_disconnect(), JobResult::ok);  // after a half-done install it may warn about the position
    ui.messages.clear();
  }
  // An in-process phone on a new line, which hangs up at the third request of the next job.
  void connect_to_hang_up() {
    phone = std::make_unique<sim::PtyPhone>(sim::PhoneOptions{"LG U8130", "354321098765432", storage.path(), 0});
    connect("LG U8130", phone->device_path());
    phone->with_phone([](sim::VirtualPhone& p) { p.set_faults({.fault_at = 3, .fault = sim::ReplyFault::hang_up}); });
  }
  Bytes stored(const std::string& path) const { return read_file(storage / path); }

  TempDir home, storage;
  std::unique_ptr<SimProcess> sim;
  std::unique_ptr<sim::PtyPhone> phone;
  QtSerialPort port;
  SteadyClock clock;
  RecordingUi ui;
  ZipArchiver archiver;
  LocalFiles files;
  Form1 form;
};

// A U813 install with the emulation classes: the descriptor sent states the size of the
// enlarged JAR, and the JAR holds the classes beside its own entries.
TEST_F(RealLine, InstallStoresWhatWasChosen) {
  const Bytes jad = "MIDlet-Name: Demo\r\nMIDlet-Vendor: Test\r\nMIDlet-Jar-Size: 1\r\nMIDlet-Jar-URL: demo.jar\r\n";
  const ZipEntries original{{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n"}, {"data.bin", random_bytes(13000, 5)}};
  write_file(home / "emu/com/nokia/mid/ui/FullCanvas.class", "canvas");
  form.set_nokia(true);
  sim = std::make_unique<SimProcess>(LG81XX_SIM_PROGRAM,
                                     std::vector<std::string>{"--model", "LG U8138", "--storage", storage.path().string(),
                                                              "--baud", "115200", "--latency", "20"});
  connect("LG U8138", sim->device_path());
  write_file(home / "demo.jad", jad);
  ASSERT_TRUE(make_jar(home / "demo.jar", original));
  ui.dialog_answers = {(home / "demo.jad").string(), (home / "demo.jar").string()};
  form.load_application();
  form.set_position_text("05");
  form.install_application();

  EXPECT_EQ(ui.messages, (std::vector<Message>{{text::kUploadCompletato, MessageStyle::information, "JAVA OK"}}));
  EXPECT_EQ(stored("Java/05.jad"), with_jar_size(jad, stored("Java/05.jar").size()));
  EXPECT_EQ(read_file(home / "demo.jad"), jad);
  EXPECT_EQ(stored("Java/05.mnf"), manifest_from(jad, Family::u813));
  ZipEntries expected = original;
  expected["com/nokia/mid/ui/FullCanvas.class"] = "canvas";
  EXPECT_EQ(jar_entries(stored("Java/05.jar")), expected);
  EXPECT_TRUE(form.phone().line_free());
}

// The line pulled in the middle of a download: the job says the connection is lost, the
// port is closed, nothing is reported as done, no file is left, and a new line connects.
TEST_F(RealLine, HangUpInTheMiddleOfADownload) {
  write_file(storage / "Images/big.jpg", random_bytes(6000, 1));
  connect_to_hang_up();  // at the second block
  QtSerialPort second;   // the port is taken while connected
  EXPECT_FALSE(second.open(phone->device_path()));
  EXPECT_EQ(second.open_failure(), PortFailure::in_use) << second.error_text();

  ui.dialog_answers = {(home / "saved.jpg").string()};
  EXPECT_EQ(form.download_named("Images", "big.jpg"), JobResult::link_lost);
  EXPECT_FALSE(std::filesystem::exists(home / "saved.jpg"));
  EXPECT_EQ(ui.messages, (std::vector<Message>{{text::kLinkLost, MessageStyle::critical, text::kErrorTitle}}));
  EXPECT_FALSE(port.is_open());
  EXPECT_NE(form.progress_bar().caption, "100%");
  connect_to_hang_up();
  EXPECT_TRUE(form.phone().line_free());
}

}  // namespace
}  // namespace lg81xx::testing
