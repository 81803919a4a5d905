// Downloads from the in-process virtual phone, on virtual time: the saved file is
// exactly the phone's file.
#include <gtest/gtest.h>

#include <zip.h>

#include <algorithm>

#include "phone_port.h"
#include "platform/files.h"
#include "platform/zip/zip_archiver.h"
#include "shell/form1.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

struct Family {
  std::string model, folder;
};
void PrintTo(const Family& f, std::ostream* os) { *os << f.model << " " << f.folder; }

class DownloadRoundTrip : public ::testing::TestWithParam<Family> {
 protected:
  DownloadRoundTrip()
      : phone({GetParam().model, "354321098765432", storage.path()}),
        port(phone),
        form(Platform{port, clock, ui, archiver, files}, home.path()) {
    form.frames = inizializza_obex_string();
    form.Combo1.text = GetParam().model;
    form.List1.items = {GetParam().folder};
    form.List1.list_index = 0;
    port.open("sim");
  }

  // Puts `content` on the phone, downloads it and returns what was saved.
  Bytes download(const std::string& name, const Bytes& content) {
    write_file(storage / GetParam().folder / name, content);
    return download_existing(name);
  }
  Bytes download_existing(const std::string& name) {
    form.List2.items = {name};
    form.List2.list_index = 0;
    std::filesystem::remove(target());
    ui.dialog_answers.push_back(target().string());
    form.Command7_Click();
    return std::filesystem::exists(target()) ? read_file(target()) : Bytes{};
  }
  std::filesystem::path target() const { return home / "saved.bin"; }

  TempDir storage, home;
  VirtualClock clock;
  sim::VirtualPhone phone;
  sim::PhonePort port;
  RecordingUi ui;
  ZipArchiver archiver;
  LocalFiles files;
  Form1 form;
};

// Every byte value, with "OK" and "OK" 03 04 in it.
Bytes sample(std::size_t size) {
  Bytes out;
  out.reserve(size);
  for (std::size_t i = 0; i < size; ++i) out.push_back(as_char(static_cast<unsigned>((i * 131) ^ (i >> 8))));
  const Bytes ok = "OK\x03\x04" "OK";
  for (std::size_t at = 7; at + ok.size() <= size; at += 997) out.replace(at, ok.size(), ok);
  return out;
}

TEST_P(DownloadRoundTrip, FilesComeBackByteForByte) {
  for (std::size_t size : {0u, 1u, 959u, 960u, 4000u, 500000u}) {
    SCOPED_TRACE(size);
    const Bytes content = sample(size);
    const Bytes saved = download(std::to_string(size) + ".bin", content);
    EXPECT_EQ(form.last_result, JobResult::ok);
    EXPECT_EQ(saved.size(), content.size());
    EXPECT_TRUE(saved == content);
    EXPECT_EQ(form.Label5.caption, "100%");
    EXPECT_FALSE(form.link_busy);
  }
  EXPECT_TRUE(ui.messages.empty());
  const auto continuations = std::count_if(port.written().begin(), port.written().end(), [](const Bytes& w) {
    return w.size() > 11 && byte_at(w, 9) == 0x20 && byte_at(w, 10) == 0xA0;
  });
  EXPECT_GE(continuations, 50) << "the 500,000-byte file alone needs about a hundred";
  for (const auto& line : phone.context().log_lines()) EXPECT_EQ(line.rfind("!!", 0), std::string::npos) << line;
}

TEST_P(DownloadRoundTrip, AJarStoredWithAlteredSignaturesComesBackAsAValidZip) {
  const auto jar = home / "app.jar";
  {
    int error = 0;
    zip_t* z = zip_open(jar.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(z, nullptr);
    const std::string manifest = "Manifest-Version: 1.0\nMIDlet-Name: OK OK\n";
    zip_source_t* s = zip_source_buffer(z, manifest.data(), manifest.size(), 0);
    ASSERT_GE(zip_file_add(z, "META-INF/MANIFEST.MF", s, ZIP_FL_OVERWRITE), 0);
    zip_set_file_compression(z, 0, ZIP_CM_STORE, 0);
    ASSERT_EQ(zip_close(z), 0);
  }
  const Bytes original = read_file(jar);
  Bytes altered = original;
  for (std::size_t i = 0; i + 3 < altered.size(); ++i)
    if (altered.compare(i, 2, "PK") == 0 && (altered[i + 2] == 1 || altered[i + 2] == 3 || altered[i + 2] == 5))
      altered[i] = 'O';
  ASSERT_NE(altered, original);

  const Bytes saved = download("app.jar", altered);
  EXPECT_TRUE(saved == original);
  int error = 0;
  zip_t* z = zip_open(target().c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  ASSERT_NE(z, nullptr) << "error " << error;
  EXPECT_EQ(zip_get_num_entries(z, 0), 1);
  zip_close(z);
}

TEST_P(DownloadRoundTrip, AMissingFileIsRefusedAndNothingIsWritten) {
  const Bytes saved = download_existing("absent.bin");
  EXPECT_EQ(form.last_result, JobResult::refused);
  EXPECT_TRUE(ui.save_filters.empty());
  EXPECT_FALSE(std::filesystem::exists(target()));
  EXPECT_FALSE(form.link_busy);
}

TEST_P(DownloadRoundTrip, ReservedSequenceBytesOnTheWayAreEscaped) {
  for (const int seq : {0x7C, 0xFD}) {
    SCOPED_TRACE(seq);
    form.frame_seq = static_cast<std::uint16_t>(seq);  // the GET and the first continuations carry 7D, 7E / FE, FF, 00
    const Bytes content = sample(20000);
    EXPECT_TRUE(download("seq.bin", content) == content);
    EXPECT_EQ(form.last_result, JobResult::ok);
    EXPECT_GE(form.frame_seq, seq + 4);
  }
  for (const auto& line : phone.context().log_lines()) EXPECT_EQ(line.rfind("!!", 0), std::string::npos) << line;
}

TEST_P(DownloadRoundTrip, ABusyPhoneIsAskedAgain) {
  phone.context().options().busy_replies = 3;
  const Bytes content = sample(3000);
  EXPECT_TRUE(download("busy.bin", content) == content);
  EXPECT_EQ(form.last_result, JobResult::ok);
  EXPECT_EQ(phone.context().options().busy_replies, 0);
}

std::string model_name(const ::testing::TestParamInfo<Family>& param) { return param.param.model.substr(3); }

INSTANTIATE_TEST_SUITE_P(BothFamilies, DownloadRoundTrip,
                         ::testing::Values(Family{"LG U8130", "Images"}, Family{"LG U8110", "Immagini"}), model_name);

}  // namespace
}  // namespace lg81xx::testing
