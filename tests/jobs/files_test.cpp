// The "File Manager" jobs: what is fetched and where it goes (or why not), several entries
// into a folder, and a file sent into a folder of the phone; what the phone cannot carry
// is refused before anything is sent.
#include <gtest/gtest.h>

#include "jobs/fetch.h"
#include "jobs/send.h"
#include "support/jobs_fixture.h"
#include "support/phone_on_fake_port.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;

class Files : public JobsFixture {
 protected:
  Files() : phone({"LG U8130", "1", storage.path(), 0}) {
    write_file(storage / "Images" / "a.jpg", "picture");
    answer_with(port, phone);
    connected("LG U8130");
  }
  TempDir storage;
  sim::VirtualPhone phone;
};

TEST_F(Files, TheSavedFileIsWhatThePhoneSentAndReplacesNothingUnasked) {
  write_file(home / "mine.jpg", "mine");
  fs::create_symlink(home / "mine.jpg", home / "link.jpg");
  struct Case {
    fs::path path;
    WhenExists when_exists;
    std::deque<bool> answers;
    JobResult result;
    bool asked;
    const char* reason;  // after the path in the message; nothing: no message
  };
  const Case cases[] = {
      {home / "missing-folder" / "a.jpg", WhenExists::ask, {}, JobResult::local_file, false, "la cartella non esiste"},
      {home / "link.jpg",
       WhenExists::replace,
       {},
       JobResult::local_file,
       false,
       "non è un file normale: non viene sostituito"},
      {home / "a.jpg", WhenExists::keep, {}, JobResult::ok, false, nullptr},
      {home / "mine.jpg", WhenExists::ask, {false}, JobResult::cancelled, true, nullptr},
      {home / "mine.jpg", WhenExists::keep, {}, JobResult::cancelled, false, nullptr},
      {home / "mine.jpg", WhenExists::ask, {true}, JobResult::ok, true, nullptr},
  };
  for (const Case& c : cases) {
    listener.questions.clear();
    listener.answers = c.answers;
    write_file(home / "mine.jpg", "mine");
    const auto fetched = fetch_to_file(jobs, {{"Images", "a.jpg"}, c.path, c.when_exists});
    EXPECT_EQ(fetched.result, c.result) << c.path;
    EXPECT_EQ(listener.questions.size(), c.asked ? 1u : 0u) << c.path;
    EXPECT_EQ(fetched.message.has_value(), c.reason != nullptr) << c.path;
    if (c.reason) {
      EXPECT_EQ(fetched.message->italian(),
                said(MessageId::file_write_failed) + ": " + c.path.string() + " (" + c.reason + ")");
    }
    EXPECT_EQ(fetched.value, c.result == JobResult::ok ? 7u : 0u);
    if (c.path == home / "mine.jpg") {
      EXPECT_EQ(read_file(home / "mine.jpg"), c.result == JobResult::ok ? "picture" : "mine");
    }
    EXPECT_TRUE(jobs.phone().line_free());
  }
  EXPECT_EQ(listener.questions.back(), said(MessageId::replace_file) + " " + (home / "mine.jpg").string() + "?");
  EXPECT_TRUE(fs::is_symlink(home / "link.jpg"));
  EXPECT_EQ(read_file(home / "a.jpg"), "picture");
  EXPECT_EQ(std::distance(fs::directory_iterator(home.path()), {}), 3) << "nothing else is left behind";
}

TEST_F(Files, NamesThePhoneCannotCarryOrNothingToAskForAreNotSent) {
  std::string long_name;  // 150 characters in 300 UTF-8 bytes: sent whole, as text
  for (int i = 0; i < 150; ++i) long_name += "è";
  EXPECT_EQ(fetch_entry(jobs, {"Images", long_name}).result, JobResult::refused);
  ASSERT_EQ(port.written.size(), 1u);
  EXPECT_NE(port.written[0].find('\x97' + utf16le(long_name) + '\0' + '\0'), Bytes::npos);
  port.written.clear();

  struct Case {
    const char* model;
    std::string entry;
    bool open;
    JobResult result;
    std::optional<MessageId> message;
  };
  const Case cases[] = {
      {"LG U8110", std::string(255, 'y'), true, JobResult::bad_input, MessageId::name_too_long},
      {"LG U8130", std::string(253, 'y') + "😀", true, JobResult::bad_input, MessageId::name_too_long},  // 255 units
      {"LG U8120", "日本.jpg", true, JobResult::bad_input, MessageId::name_not_supported},
      {"LG U8130", "", true, JobResult::bad_input, std::nullopt},  // nothing to ask for
      {"", "a.jpg", true, JobResult::bad_input, std::nullopt},     // no model: neither family
      {"LG U8130", "a.jpg", false, JobResult::not_connected, MessageId::not_connected},
  };
  for (const Case& c : cases) {
    connected(c.model);
    if (!c.open) port.close();
    const auto fetched = fetch_entry(jobs, {"Images", c.entry});
    EXPECT_EQ(fetched.result, c.result) << c.model;
    EXPECT_EQ(fetched.message ? std::optional(fetched.message->id) : std::nullopt, c.message) << c.model;
  }
  EXPECT_TRUE(port.written.empty());
  EXPECT_EQ(port.writes_while_closed, 0);
  EXPECT_EQ(listener.starts, 1);
}

// Each entry of several ends on its own: saved under its safe name (numbered when two
// make one), asked about before its transfer, refused by the phone; a phone that stops
// answering ends the run, and the entries after it are not tried.
TEST_F(Files, SeveralEntriesEndEachOnItsOwn) {
  write_file(storage / "Images" / "a\nb.txt", "first");
  write_file(storage / "Images" / "ab.txt", "second");
  write_file(storage / "Images" / "c.jpg", "3");
  write_file(storage / "Images" / "a.jpg", Bytes(5000, 'p'));  // several blocks: progress to count
  write_file(home / "c.jpg", "mine");
  std::vector<std::string> heard;
  const auto done = fetch_entries(
      jobs, {"Images", {"a\nb.txt", "ab.txt", "..", "nope.jpg", "c.jpg", "a.jpg"}, home.path(), WhenExists::ask},
      [&](const EntryFetched& e) { heard.push_back(e.entry); });
  ASSERT_EQ(done.value.size(), 6u);
  EXPECT_EQ(heard.size(), 6u);
  const auto& d = done.value;
  EXPECT_EQ(d[0].path, home / "ab.txt");
  EXPECT_EQ(d[1].path, home / "ab (2).txt");
  EXPECT_EQ(read_file(home / "ab (2).txt"), "second");
  EXPECT_EQ(d[1].size, 6u);
  EXPECT_EQ(d[2].result, JobResult::bad_input);
  EXPECT_TRUE(d[2].path.empty());
  EXPECT_EQ(d[3].result, JobResult::refused);
  EXPECT_EQ(d[4].result, JobResult::cancelled);  // asked, and kept
  EXPECT_EQ(read_file(home / "c.jpg"), "mine");
  EXPECT_EQ(d[5].result, JobResult::ok);
  EXPECT_EQ(done.result, JobResult::bad_input) << "the first failure";
  EXPECT_EQ(listener.questions.size(), 1u);
  EXPECT_EQ(why_not_saved(d[4], Family::u813), "file già esistente, non sostituito");
  EXPECT_EQ(why_not_saved(d[3], Family::u813), said(MessageId::refused));
  // The transfers count their files: the last one fetched was the sixth of six.
  ASSERT_FALSE(listener.steps.empty());
  EXPECT_EQ(listener.steps.back().file, 6u);
  EXPECT_EQ(listener.steps.back().files, 6u);

  phone.set_faults({.silent_after = 0});
  const std::vector<std::string> three{"a.jpg", "ab.txt", "c.jpg"};
  TempDir into;
  const auto silent = fetch_entries(jobs, {"Images", three, into.path(), WhenExists::replace});
  EXPECT_EQ(silent.result, JobResult::no_reply);
  ASSERT_EQ(silent.value.size(), 1u);
  EXPECT_EQ(downloads_summary(three, silent.value, Family::u813).italian(),
            "0 file salvati, 3 non salvati: a.jpg (IL TELEFONO NON RISPONDE...), ab.txt (non provato), c.jpg (non "
            "provato)");
}

// "Invia file al telefono": what the phone cannot take is refused before anything is
// sent; the rest lands whole under the name given, and a file of that name is replaced
// only as told.
TEST_F(Files, SendRefusesWhatThePhoneCannotTakeAndReplacesOnlyAsTold) {
  struct Case {
    const char* model;
    const char* folder;
    std::string name;
    Bytes content;
    WhenExists when_exists;
    JobResult result;
    std::optional<MessageId> message;
  };
  const Case cases[] = {
      {"LG U8130", "Images", "b è.bin", Bytes("\x00\x7E\x7D\xFF", 4), WhenExists::keep, JobResult::ok, {}},
      {"LG U8130", "Images", "a.jpg", "new", WhenExists::keep, JobResult::cancelled, {}},
      {"LG U8130", "Images", "a.jpg", "new", WhenExists::ask, JobResult::cancelled, {}},  // the answer is no
      {"LG U8130", "Images", "a.jpg", "new", WhenExists::replace, JobResult::ok, {}},
      {"LG U8130", "Immagini", "b.bin", "x", WhenExists::ask, JobResult::bad_input, MessageId::no_such_folder},
      {"LG U8130", "Images", "", "x", WhenExists::ask, JobResult::bad_input, MessageId::name_not_supported},
      {"LG U8130", "Images", "a:b", "x", WhenExists::ask, JobResult::bad_input, MessageId::name_not_supported},
      {"LG U8130", "Images", "../Java/01.jad", "x", WhenExists::ask, JobResult::bad_input,
       MessageId::name_not_supported},
      {"LG U8130", "Images", std::string(255, 'y'), "x", WhenExists::ask, JobResult::bad_input,
       MessageId::name_too_long},
      {"LG U8120", "Immagini", "日本.jpg", "x", WhenExists::ask, JobResult::bad_input, MessageId::name_not_supported},
      {"LG U8130", "Images", "vuoto.bin", "", WhenExists::ask, JobResult::bad_input, MessageId::empty_file},
      {"LG U8130", "Images", "..", "x", WhenExists::ask, JobResult::bad_input, MessageId::name_not_supported},
      // Only an install writes an application's files; anything else goes into Java.
      {"LG U8130", "Java", "05.JAR", "x", WhenExists::ask, JobResult::bad_input, MessageId::application_file},
      {"LG U8120", "Java", "08.jad", "x", WhenExists::ask, JobResult::bad_input, MessageId::application_file},
      {"LG U8130", "Java", "01.Mnf", "x", WhenExists::ask, JobResult::bad_input, MessageId::application_file},
      {"LG U8130", "Java", ".jad", "x", WhenExists::ask, JobResult::bad_input, MessageId::application_file},
      {"LG U8130", "Java", "leggimi.jar.txt", "x", WhenExists::ask, JobResult::ok, {}},
      {"LG U8130", "Images", "foto.jar", "x", WhenExists::ask, JobResult::ok, {}},
  };
  // The question waits with the line free, so that a keep-alive may go out meanwhile.
  listener.on_ask = [this] { EXPECT_TRUE(jobs.phone().line_free()); };
  for (const Case& c : cases) {
    connected(c.model);
    port.written.clear();
    const int starts = listener.starts;
    const auto sent = send_file(jobs, {c.folder, c.name, c.content, c.when_exists});
    EXPECT_EQ(sent.result, c.result) << c.name;
    EXPECT_EQ(listener.starts - starts, c.message ? 0 : 1) << c.name;
    EXPECT_TRUE(jobs.phone().line_free()) << c.name;
    EXPECT_EQ(sent.message ? std::optional(sent.message->id) : std::nullopt, c.message) << c.name;
    if (c.message) {
      EXPECT_TRUE(port.written.empty()) << c.name;
    }
  }
  EXPECT_EQ(read_file(storage / "Images" / "b è.bin"), Bytes("\x00\x7E\x7D\xFF", 4));
  EXPECT_EQ(read_file(storage / "Images" / "a.jpg"), "new");
  EXPECT_EQ(listener.questions.size(), 1u);
}

}  // namespace
}  // namespace lg81xx::testing
