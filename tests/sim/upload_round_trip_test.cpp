// Large uploads through the in-process virtual phone on virtual time: what the phone
// stores must be byte for byte what was sent. (The end-to-end tests cover installs with
// the emulation classes and sound replacements over a real line.)
#include <gtest/gtest.h>

#include <random>

#include "phone_port.h"
#include "platform/files.h"
#include "platform/zip/zip_archiver.h"
#include "shell/form1.h"
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

}  // namespace
}  // namespace lg81xx::testing
