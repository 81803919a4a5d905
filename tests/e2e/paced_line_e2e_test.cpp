// Fast mode on a realistic line: the lg81xx-sim program paced to 115200 baud and thinking
// before every answer. Replies now trickle in 64-byte bursts and come late, so a fast wait
// that took a partial reply for a whole one, or dropped bytes between reads, shows up as a
// corrupted or failed transfer.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "platform/files.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/zip/zip_archiver.h"
#include "shell/form1.h"
#include "support/recording_ui.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

const Bytes kJad = "MIDlet-Name: Paced\r\nMIDlet-Vendor: Test\r\nMIDlet-Jar-URL: paced.jar\r\n";

Bytes random_bytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes out(size, '\0');
  for (auto& c : out) c = as_char(static_cast<unsigned>(random()));
  return out;
}

// Seconds that `bytes` take on a 115200-baud line, 10 bits a byte.
double line_seconds(std::size_t bytes) { return static_cast<double>(bytes) / 11520.0; }

struct Line {
  std::string model, folder, latency_ms;
};
void PrintTo(const Line& l, std::ostream* os) { *os << l.model << " latency " << l.latency_ms; }

class PacedLineEndToEnd : public ::testing::TestWithParam<Line> {
 protected:
  PacedLineEndToEnd() : form(Platform{port, clock, ui, archiver, files}, home.path()) {
    form.frames = inizializza_obex_string();
    form.link().set_mode(WaitMode::fast);
  }

  void connect() {
    sim = std::make_unique<SimProcess>(
        LG81XX_SIM_PROGRAM, std::vector<std::string>{"--model", GetParam().model, "--storage", storage.path().string(),
                                                     "--baud", "115200", "--latency", GetParam().latency_ms});
    form.Combo1.text = GetParam().model;
    form.Combo2.text = sim->device_path();
    form.Command1_Click();
    ASSERT_TRUE(port.is_open());
    ASSERT_TRUE(ui.messages.empty());
  }
  void pick(ListBox& list, const std::string& name) {
    const auto at = std::find(list.items.begin(), list.items.end(), name);
    ASSERT_NE(at, list.items.end()) << name;
    list.list_index = static_cast<int>(at - list.items.begin());
  }

  TempDir storage, home;
  std::unique_ptr<SimProcess> sim;
  QtSerialPort port;
  SteadyClock clock;
  RecordingUi ui;
  ZipArchiver archiver;
  LocalFiles files;
  Form1 form;
};

TEST_P(PacedLineEndToEnd, DownloadComesBackByteForByte) {
  // Over four 4,096-byte blocks, ending in a part block.
  const Bytes content = random_bytes(17000, 3);
  write_file(storage / GetParam().folder / "paced.bin", content);
  connect();
  pick(form.List1, GetParam().folder);
  form.List1_DblClick();
  pick(form.List2, "paced.bin");
  ui.dialog_answers = {(home / "saved.bin").string()};

  const auto started = std::chrono::steady_clock::now();
  form.Command7_Click();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;

  EXPECT_EQ(form.last_result, JobResult::ok);
  ASSERT_TRUE(std::filesystem::exists(home / "saved.bin"));
  EXPECT_TRUE(read_file(home / "saved.bin") == content);
  EXPECT_GE(took.count(), line_seconds(content.size())) << "the phone's line was not paced";
  EXPECT_FALSE(form.link_busy);
}

TEST_P(PacedLineEndToEnd, InstallStoresTheJarByteForByte) {
  const Bytes jar = random_bytes(13000, 5);
  write_file(home / "paced.jad", kJad);
  write_file(home / "paced.jar", jar);
  connect();
  ui.dialog_answers = {(home / "paced.jad").string(), (home / "paced.jar").string()};
  form.Command2_Click();
  form.set_Text1("05");

  const auto started = std::chrono::steady_clock::now();
  form.Command3_Click();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;

  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "JAVA OK");
  EXPECT_EQ(form.last_result, JobResult::ok);
  EXPECT_TRUE(read_file(storage / "Java/05.jar") == jar);
  EXPECT_EQ(read_file(storage / "Java/05.jad"), kJad);
  EXPECT_GE(took.count(), line_seconds(jar.size())) << "the phone's line was not paced";
  EXPECT_FALSE(form.link_busy);
}

INSTANTIATE_TEST_SUITE_P(SlowPhones, PacedLineEndToEnd,
                         ::testing::Values(Line{"LG U8120", "Immagini", "5"}, Line{"LG U8138", "Images", "20"}),
                         [](const ::testing::TestParamInfo<Line>& p) {
                           return p.param.model.substr(3) + "_latency" + p.param.latency_ms;
                         });

}  // namespace
}  // namespace lg81xx::testing
