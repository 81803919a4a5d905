// Form1 over the real serial adapter against the virtual phone on a pseudo-terminal, in
// real time: once against the lg81xx-sim program, once against an in-process PtyPhone.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

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

constexpr const char* kDisconnectHex = "83001170000EFF7DDF00822B000008007E";

// True once `check` holds, looking again every 20 ms for up to two seconds.
template <class F>
bool eventually(F check) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!check()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

class EndToEnd : public ::testing::Test {
 protected:
  EndToEnd() : form(Platform{port, clock, ui, archiver, files}, home.path()) {
    form.frames = inizializza_obex_string();
  }
  void double_click(const std::string& folder) {
    const auto& items = form.List1.items;
    const auto at = std::find(items.begin(), items.end(), folder);
    ASSERT_NE(at, items.end()) << folder;
    form.List1.list_index = static_cast<int>(at - items.begin());
    form.List1_DblClick();
  }

  QtSerialPort port;
  SteadyClock clock;
  RecordingUi ui;
  ZipArchiver archiver;
  LocalFiles files;
  TempDir home;
  TempDir storage;
  Form1 form;
};

TEST_F(EndToEnd, U813PhoneFromTheSimulatorProgram) {
  write_file(storage / "Images/a.jpg", "jpeg");
  write_file(storage / "Images/b.mid", "midi");
  write_file(storage / "Java/01.jad", "jad");
  write_file(storage / "Java/01.jar", "jar");
  const auto log = storage.path() / "traffic.log";
  SimProcess sim(LG81XX_SIM_PROGRAM, {"--model", "LG U8138", "--storage", storage.path().string(), "--imei",
                                      "351234567890123", "--log", log.string(), "--baud", "115200"});

  form.Combo1.text = "LG U8138";
  form.Combo2.text = sim.device_path();
  form.Command1_Click();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(form.Label3.caption, "351234567890123");
  EXPECT_EQ(form.Label4.caption, "U8138 V10c-EUR");
  EXPECT_EQ(form.List1.items,
            (std::vector<std::string>{"Animations", "Audios", "Images", "Videos", "VoiceRecord", "Java"}));
  EXPECT_EQ(form.List2.items, (std::vector<std::string>{"01.jad", "01.jar"}));
  EXPECT_EQ(form.Text1.text, "02");
  EXPECT_FALSE(form.link_busy);

  double_click("Images");
  EXPECT_EQ(form.List2.items, (std::vector<std::string>{"a.jpg", "b.mid"}));
  EXPECT_EQ(form.last_result, JobResult::ok);

  form.Command1_Click();
  EXPECT_FALSE(port.is_open());
  EXPECT_TRUE(eventually([&] {
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    return text.str().find(std::string("<< ") + kDisconnectHex) != std::string::npos;
  })) << "the phone never got the 17-byte goodbye";
}

TEST_F(EndToEnd, U811PhoneInProcessAndAHangUp) {
  write_file(storage / "Audio/ring.mid", "midi");
  write_file(storage / "Audio/tone.amr", "amr");
  auto phone = std::make_unique<sim::PtyPhone>(sim::PhoneOptions{"LG U8110", "359999000011112", storage.path(), 0});

  form.Combo1.text = "LG U8110";
  form.Combo2.text = phone->device_path();
  form.Command1_Click();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(form.Label3.caption, "359999000011112");
  EXPECT_EQ(form.Label4.caption, "U8110");
  EXPECT_EQ(form.List1.items, (std::vector<std::string>{"Immagini", "Audio", "Video", "Java"}));
  EXPECT_EQ(form.Text1.text, "01");

  double_click("Audio");
  EXPECT_EQ(form.List2.items, (std::vector<std::string>{"ring.mid", "tone.amr"}));

  form.Command1_Click();
  EXPECT_FALSE(port.is_open());
  EXPECT_TRUE(eventually([&] {
    const auto lines = phone->log_lines();
    return std::find(lines.begin(), lines.end(), std::string("<< ") + kDisconnectHex) != lines.end();
  }));

  // Connected again, then the line goes away under a listing.
  form.Command1_Click();
  ASSERT_TRUE(port.is_open());
  phone->hang_up();
  double_click("Audio");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, text::kLinkLost);
  EXPECT_EQ(form.last_result, JobResult::link_lost);
  EXPECT_FALSE(port.is_open());

  // A new line: the same button connects again.
  phone = std::make_unique<sim::PtyPhone>(sim::PhoneOptions{"LG U8110", "359999000011112", storage.path(), 0});
  form.Combo2.text = phone->device_path();
  form.Command1_Click();
  EXPECT_TRUE(port.is_open());
  EXPECT_EQ(form.Label3.caption, "359999000011112");
  EXPECT_FALSE(form.link_busy);
}

TEST_F(EndToEnd, UnopenablePortGivesItsMessage) {
  form.Combo1.text = "LG U8130";
  form.Combo2.text = "/dev/lg81xx-no-such-port";
  form.Command1_Click();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.rfind(std::string(text::kPortOpenFailed) + ": /dev/lg81xx-no-such-port", 0), 0u)
      << ui.messages[0].text;
  EXPECT_FALSE(port.is_open());
  EXPECT_TRUE(form.link_busy);
}

}  // namespace
}  // namespace lg81xx::testing
