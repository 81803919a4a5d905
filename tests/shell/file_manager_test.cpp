// "DownLoad": what is asked for, what is refused before anything is sent, and where the
// file goes (or why it does not).
#include <gtest/gtest.h>

#include "shell/messages.h"
#include "support/form_fixture.h"
#include "support/phone_on_fake_port.h"

namespace lg81xx::testing {
namespace {

class FileManager : public FormFixture {
 protected:
  FileManager() : phone({"LG U8130", "1", storage.path(), 0}) {
    write_file(storage / "Images" / "a.jpg", "picture");
    answer_with(port, phone);
    form.choose_model("LG U8130");
    form.phone().open("COM1");
  }
  TempDir storage;
  sim::VirtualPhone phone;
};

TEST_F(FileManager, TheSavedFileIsWhatThePhoneSentAndReplacesNothingUnasked) {
  namespace fs = std::filesystem;
  write_file(home / "mine.jpg", "mine");
  fs::create_symlink(home / "mine.jpg", home / "link.jpg");
  struct Case {
    std::optional<fs::path> answer;  // nothing: the save dialog is cancelled
    std::optional<bool> replace;     // the answer to the question; nothing: no question
    JobResult result;
    const char* message;  // how the message box begins
  };
  const Case cases[] = {
      {std::nullopt, {}, JobResult::cancelled, nullptr},
      {home / "missing-folder" / "a.jpg", {}, JobResult::local_file, text::kFileWriteFailed},
      {home / "a.jpg", {}, JobResult::ok, nullptr},
      {home / "mine.jpg", false, JobResult::cancelled, nullptr},
      {home / "link.jpg", {}, JobResult::local_file, text::kFileWriteFailed},
      {home / "mine.jpg", true, JobResult::ok, nullptr},
  };
  for (const Case& c : cases) {
    ui.messages.clear();
    ui.questions.clear();
    ui.dialog_answers = {c.answer ? std::optional(c.answer->string()) : std::nullopt};
    ui.answers = {c.replace.value_or(true)};
    EXPECT_EQ(form.download_named("Images", "a.jpg"), c.result);
    EXPECT_EQ(ui.save_filters.back(), "*.jpg");
    EXPECT_EQ(ui.questions.size(), c.replace ? 1u : 0u);
    EXPECT_EQ(ui.messages.empty(), c.message == nullptr);
    if (c.message) {
      EXPECT_TRUE(ui.messages[0].text.starts_with(std::string(c.message) + ": " + c.answer->string()))
          << ui.messages[0].text;
    }
    if (c.answer == home / "mine.jpg") {
      EXPECT_EQ(read_file(home / "mine.jpg"), c.result == JobResult::ok ? "picture" : "mine");
    }
    EXPECT_TRUE(form.phone().line_free());
    EXPECT_FALSE(ui.busy);
  }
  EXPECT_TRUE(fs::is_symlink(home / "link.jpg"));
  EXPECT_EQ(read_file(home / "a.jpg"), "picture");
  EXPECT_EQ(std::distance(fs::directory_iterator(home.path()), {}), 3) << "nothing else is left behind";
}

TEST_F(FileManager, TheSaveFilterEndsWithTheLastThreeCharacters) {
  const std::pair<std::string, std::string> cases[] = {{"ab", "*.ab"}, {"caffè", "*.ffè"}, {"日本語.ü", "*.語.ü"}};
  for (const auto& [entry, filter] : cases) {
    write_file(storage / "Images" / entry, "x");
    ui.dialog_answers = {std::nullopt};
    EXPECT_EQ(form.download_named("Images", entry), JobResult::cancelled) << entry;
    EXPECT_EQ(ui.save_filters.back(), filter);
  }
}

TEST_F(FileManager, NamesThePhoneCannotCarryOrNothingToAskAreNotSent) {
  std::string long_name;  // 150 characters in 300 UTF-8 bytes: sent whole, as text
  for (int i = 0; i < 150; ++i) long_name += "è";
  EXPECT_EQ(form.download_named("Images", long_name), JobResult::refused);
  ASSERT_EQ(port.written.size(), 1u);
  EXPECT_NE(port.written[0].find('\x97' + utf16le(long_name) + '\0' + '\0'), Bytes::npos);
  port.written.clear();

  struct Case {
    const char* model;
    std::string entry;
    bool open;
    JobResult result;
    const char* message;
  };
  const Case cases[] = {
      {"LG U8110", std::string(255, 'y'), true, JobResult::bad_input, text::kNameTooLong},
      {"LG U8130", std::string(253, 'y') + "😀", true, JobResult::bad_input, text::kNameTooLong},  // 255 units
      {"LG U8120", "日本.jpg", true, JobResult::bad_input, text::kNameNotSupported},
      {"LG U8130", "", true, JobResult::bad_input, nullptr},  // nothing selected
      {"", "a.jpg", true, JobResult::bad_input, nullptr},     // no model: neither family
      {"LG U8130", "a.jpg", false, JobResult::not_connected, text::kNotConnected},
  };
  for (const Case& c : cases) {
    ui.messages.clear();
    choose_model_and_open(c.model);
    if (!c.open) port.close();
    EXPECT_EQ(form.download_named("Images", c.entry), c.result) << c.model;
    EXPECT_EQ(ui.messages.empty(), c.message == nullptr) << c.model;
    if (c.message) {
      EXPECT_EQ(ui.messages[0].text, c.message);
    }
  }
  EXPECT_TRUE(port.written.empty());
  EXPECT_EQ(port.writes_while_closed, 0);
}

// "Invia file al telefono": what the phone cannot take is refused before anything is
// sent, with the window's message; the rest lands whole under the name given.
TEST_F(FileManager, SendRefusesBeforeSendingWhatThePhoneCannotTake) {
  struct Case {
    const char* model;
    const char* folder;
    std::string name;
    Bytes content;
    JobResult result;
    const char* message;  // how the message box begins; nothing: sent
  };
  const Case cases[] = {
      {"LG U8130", "Images", "b è.bin", Bytes("\x00\x7E\x7D\xFF", 4), JobResult::ok, nullptr},
      {"LG U8130", "Immagini", "b.bin", "x", JobResult::bad_input, text::kNoSuchFolder},  // the U8110's folder
      {"LG U8130", "Images", "", "x", JobResult::bad_input, text::kNameNotSupported},
      {"LG U8130", "Images", "a:b", "x", JobResult::bad_input, text::kNameNotSupported},
      {"LG U8130", "Images", "../Java/01.jad", "x", JobResult::bad_input, text::kNameNotSupported},
      {"LG U8130", "Images", std::string(255, 'y'), "x", JobResult::bad_input, text::kNameTooLong},
      {"LG U8120", "Immagini", "日本.jpg", "x", JobResult::bad_input, text::kNameNotSupported},
      {"LG U8130", "Images", "vuoto.bin", "", JobResult::bad_input, text::kEmptyFile},
  };
  for (const Case& c : cases) {
    ui.messages.clear();
    choose_model_and_open(c.model);
    port.written.clear();
    EXPECT_EQ(form.send_named(c.folder, c.name, c.content), c.result) << c.name;
    EXPECT_EQ(ui.messages.empty(), c.message == nullptr) << c.name;
    if (c.message) {
      EXPECT_TRUE(ui.messages[0].text.starts_with(c.message)) << ui.messages[0].text;
      EXPECT_TRUE(port.written.empty()) << c.name;
    }
  }
  EXPECT_EQ(read_file(storage / "Images" / "b è.bin"), Bytes("\x00\x7E\x7D\xFF", 4));
  EXPECT_EQ(form.progress_bar().caption, "100%");
}

}  // namespace
}  // namespace lg81xx::testing
