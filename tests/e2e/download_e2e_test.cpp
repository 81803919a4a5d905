// Downloads end to end against the lg81xx-sim program: connect, list the folder, pick
// the entry, "DownLoad".
#include "real_line_form.h"
#include "support/jar_files.h"

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

class DownloadEndToEnd : public ::testing::TestWithParam<Phone>, protected RealLineForm {
 protected:
  // Starts the phone unthrottled, connects and lists the folder with the fast waits (at
  // 115200 baud the 500,000 bytes alone take 45 s of line time; the paced line has its own test).
  void connect_and_list() {
    connect(GetParam().model, start_sim(GetParam().model, {"--baud", "0"}));
    form.set_fast(true);
    open_folder(GetParam().folder);
  }
  // Picks `name` in the listing and downloads it; returns what was saved, if anything.
  std::optional<Bytes> download(const std::string& name) {
    form.select_entry(row_of(form.entries(), name));
    const auto target = home / ("saved-" + name);
    ui.dialog_answers.push_back(target.string());
    last = form.download_entry();
    if (!std::filesystem::exists(target)) return std::nullopt;
    return read_file(target);
  }
  void put(const std::string& name, const Bytes& content) { write_file(storage / GetParam().folder / name, content); }
  JobResult last = JobResult::bad_input;  // how the last download ended
};

// Sizes around the first reply's room and the block size, every byte value; and a JAR the
// phone keeps with its "PK" signatures turned to "OK", which the download restores.
TEST_P(DownloadEndToEnd, FilesComeBackByteForByte) {
  const std::vector<std::size_t> sizes{0, 1, 959, 960, 4000, 500000};
  for (std::size_t size : sizes) put(std::to_string(size) + ".bin", sample(size));
  const auto jar = home / "app.jar";
  ASSERT_TRUE(make_jar(jar, {{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\nMIDlet-Name: OK\n"}}));
  Bytes altered = read_file(jar);
  for (std::size_t i = 0; i + 3 < altered.size(); ++i)
    if (altered.compare(i, 2, "PK") == 0 && altered[i + 2] < 8) altered[i] = 'O';
  put("app.jar", altered);
  connect_and_list();

  for (std::size_t size : sizes) {
    SCOPED_TRACE(size);
    const auto saved = download(std::to_string(size) + ".bin");
    ASSERT_TRUE(saved.has_value());
    EXPECT_TRUE(*saved == sample(size));
    EXPECT_EQ(last, JobResult::ok);
    EXPECT_TRUE(form.phone().line_free());
  }
  EXPECT_EQ(download("app.jar"), read_file(jar));
  EXPECT_TRUE(ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, DownloadEndToEnd,
                         ::testing::Values(Phone{"LG U8138", "Images"}, Phone{"LG U8120", "Immagini"}),
                         [](const ::testing::TestParamInfo<Phone>& p) { return p.param.model.substr(3); });

}  // namespace
}  // namespace lg81xx::testing
