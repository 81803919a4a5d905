// The line pulled in the middle of an install and of a download, over the real serial
// adapter and a pseudo-terminal: the job says the connection is lost, the port is closed,
// nothing is reported as done, no file is left behind, and a new line connects again.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/zip/zip_archiver.h"
#include "pty_phone.h"
#include "shell/form1.h"
#include "shell/messages.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

sim::Faults hang_up_at(int request) {
  sim::Faults f;
  f.fault_at = request;
  f.fault = sim::ReplyFault::hang_up;
  return f;
}

class HangUpEndToEnd : public ::testing::Test {
 protected:
  HangUpEndToEnd() : form(Platform{port, clock, ui, archiver, files}, home.path()) {
    form.frames = inizializza_obex_string();
    form.Combo1.text = "LG U8130";
    Bytes big;
    for (int i = 0; i < 6000; ++i) big.push_back(as_char(static_cast<unsigned>(i * 13)));
    write_file(storage / "Images/big.jpg", big);
  }

  void connect() {
    phone = std::make_unique<sim::PtyPhone>(sim::PhoneOptions{"LG U8130", "354321098765432", storage.path(), 0});
    form.Combo2.text = phone->device_path();
    form.Command1_Click();
    ASSERT_TRUE(port.is_open());
    ASSERT_EQ(form.last_result, JobResult::ok);
    ui.messages.clear();
  }

  void expect_lost_then_reconnect() {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, text::kLinkLost);
    EXPECT_EQ(form.last_result, JobResult::link_lost);
    EXPECT_FALSE(port.is_open());
    EXPECT_NE(form.Label5.caption, "100%");
    connect();  // a new line
    EXPECT_FALSE(form.link_busy);
  }

  QtSerialPort port;
  SteadyClock clock;
  RecordingUi ui;
  ZipArchiver archiver;
  LocalFiles files;
  TempDir home, storage;
  std::unique_ptr<sim::PtyPhone> phone;
  Form1 form;
};

TEST_F(HangUpEndToEnd, InTheMiddleOfAnInstall) {
  connect();
  phone->with_phone([](sim::VirtualPhone& p) { p.set_faults(hang_up_at(3)); });  // a JAR block
  form.jad_data = "MIDlet-Name: Demo\r\nMIDlet-Jar-Size: 3000\r\n";
  form.jar_data = Bytes(3000, 'j');
  form.set_Text1("05");
  form.Command3_Click();
  expect_lost_then_reconnect();
  EXPECT_FALSE(std::filesystem::exists(storage / "Java/05.mnf"));
}

TEST_F(HangUpEndToEnd, InTheMiddleOfADownload) {
  connect();
  phone->with_phone([](sim::VirtualPhone& p) { p.set_faults(hang_up_at(3)); });  // the second block
  const auto target = home / "saved.jpg";
  form.List1.items = {"Images"};
  form.List1.list_index = 0;
  form.List2.items = {"big.jpg"};
  form.List2.list_index = 0;
  ui.dialog_answers = {target.string()};
  form.Command7_Click();
  EXPECT_FALSE(std::filesystem::exists(target));
  expect_lost_then_reconnect();
}

}  // namespace
}  // namespace lg81xx::testing
