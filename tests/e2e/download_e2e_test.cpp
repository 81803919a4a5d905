// Downloads end to end: Form1 over the real serial adapter, the lg81xx-sim program on a
// pseudo-terminal, real time. Connect, list the folder, pick the entry, "DownLoad".
#include <gtest/gtest.h>

#include <zip.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/zip/zip_archiver.h"
#include "shell/form1.h"
#include "support/recording_ui.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

struct Phone {
  std::string model, folder;
};
void PrintTo(const Phone& p, std::ostream* os) { *os << p.model; }

// Every byte value, with "OK" and "OK" 03 04 in it.
Bytes sample(std::size_t size) {
  Bytes out;
  for (std::size_t i = 0; i < size; ++i) out.push_back(as_char(static_cast<unsigned>((i * 131) ^ (i >> 8))));
  const Bytes ok = "OK\x03\x04" "OK";
  for (std::size_t at = 7; at + ok.size() <= size; at += 997) out.replace(at, ok.size(), ok);
  return out;
}

class DownloadEndToEnd : public ::testing::TestWithParam<Phone> {
 protected:
  DownloadEndToEnd() : form(Platform{port, clock, ui, archiver, files}, home.path()) {
    form.frames = inizializza_obex_string();
  }

  // Starts the phone program on `storage` with its line paced to `baud` (0: unthrottled),
  // connects, chooses the waiting mode and lists the folder.
  void connect(const std::string& baud, WaitMode mode) {
    sim = std::make_unique<SimProcess>(LG81XX_SIM_PROGRAM,
                                       std::vector<std::string>{"--model", GetParam().model, "--storage",
                                                                storage.path().string(), "--baud", baud});
    form.Combo1.text = GetParam().model;
    form.Combo2.text = sim->device_path();
    form.Command1_Click();
    ASSERT_TRUE(port.is_open());
    form.link().set_mode(mode);
    const auto& folders = form.List1.items;
    const auto at = std::find(folders.begin(), folders.end(), GetParam().folder);
    ASSERT_NE(at, folders.end());
    form.List1.list_index = static_cast<int>(at - folders.begin());
    form.List1_DblClick();
  }
  // Picks `name` in the listing and downloads it; returns what was saved, if anything.
  std::optional<Bytes> download(const std::string& name) {
    const auto& entries = form.List2.items;
    const auto at = std::find(entries.begin(), entries.end(), name);
    if (at == entries.end()) {
      ADD_FAILURE() << name << " not listed";
      return std::nullopt;
    }
    form.List2.list_index = static_cast<int>(at - entries.begin());
    const auto target = home / ("saved-" + name);
    ui.dialog_answers.push_back(target.string());
    form.Command7_Click();
    if (!std::filesystem::exists(target)) return std::nullopt;
    return read_file(target);
  }
  void put(const std::string& name, const Bytes& content) { write_file(storage / GetParam().folder / name, content); }

  TempDir storage, home;
  std::unique_ptr<SimProcess> sim;
  QtSerialPort port;
  SteadyClock clock;
  RecordingUi ui;
  ZipArchiver archiver;
  LocalFiles files;
  Form1 form;
};

TEST_P(DownloadEndToEnd, FilesComeBackByteForByte) {
  const std::vector<std::size_t> sizes{0, 1, 959, 960, 4000, 500000};
  for (std::size_t size : sizes) put(std::to_string(size) + ".bin", sample(size));
  // Unthrottled and fast: at 115200 baud the 500,000 bytes alone take 45 s of line time.
  connect("0", WaitMode::fast);
  for (std::size_t size : sizes) {
    SCOPED_TRACE(size);
    const auto saved = download(std::to_string(size) + ".bin");
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->size(), size);
    EXPECT_TRUE(*saved == sample(size));
    EXPECT_EQ(form.last_result, JobResult::ok);
    EXPECT_FALSE(form.link_busy);
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_P(DownloadEndToEnd, AlteredJarComesBackValidAndAMissingFileIsRefused) {
  const auto jar = home / "app.jar";
  {
    int error = 0;
    zip_t* z = zip_open(jar.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(z, nullptr);
    const std::string manifest = "Manifest-Version: 1.0\nMIDlet-Name: OK\n";
    zip_source_t* s = zip_source_buffer(z, manifest.data(), manifest.size(), 0);
    ASSERT_GE(zip_file_add(z, "META-INF/MANIFEST.MF", s, ZIP_FL_OVERWRITE), 0);
    ASSERT_EQ(zip_close(z), 0);
  }
  const Bytes original = read_file(jar);
  Bytes altered = original;
  for (std::size_t i = 0; i + 3 < altered.size(); ++i)
    if (altered.compare(i, 2, "PK") == 0 && altered[i + 2] < 8) altered[i] = 'O';
  put("app.jar", altered);
  put("gone.bin", "soon gone");
  connect("115200", WaitMode::classic);

  const auto saved = download("app.jar");
  ASSERT_TRUE(saved.has_value());
  EXPECT_TRUE(*saved == original);
  int error = 0;
  zip_t* z = zip_open((home / "saved-app.jar").c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  EXPECT_NE(z, nullptr) << "error " << error;
  if (z) zip_close(z);

  std::filesystem::remove(storage / GetParam().folder / "gone.bin");
  EXPECT_FALSE(download("gone.bin").has_value());
  EXPECT_EQ(form.last_result, JobResult::refused);
  EXPECT_FALSE(form.link_busy);
  EXPECT_EQ(ui.save_filters.size(), 1u) << "no save dialog for the refused file";
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, DownloadEndToEnd,
                         ::testing::Values(Phone{"LG U8138", "Images"}, Phone{"LG U8120", "Immagini"}),
                         [](const ::testing::TestParamInfo<Phone>& p) { return p.param.model.substr(3); });

}  // namespace
}  // namespace lg81xx::testing
