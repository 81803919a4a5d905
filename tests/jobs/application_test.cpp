// Java applications: the JAD and JAR read whole, the emulation classes added to a copy of
// the JAR (never to the chosen file), the install at a position that may hold one
// already, and the position proposed from the phone's list.
#include <gtest/gtest.h>

#include <numeric>

#include "jobs/application.h"
#include "jobs/position.h"
#include "phone/frames/descriptor.h"
#include "sample_content.h"
#include "support/jar_files.h"
#include "support/jobs_fixture.h"
#include "support/phone_on_fake_port.h"

namespace lg81xx::testing {
namespace {

const Bytes kJad("MIDlet-Name: X\r\n\0\x1A tail", 22);

class LoadApplication : public JobsFixture {
 protected:
  LoadApplication() {
    write_file(home / "app.jad", kJad);
    EXPECT_TRUE(make_jar(home / "app.jar", original));
    jar_bytes = read_file(home / "app.jar");
  }
  JobOutcome<ApplicationPair> load(bool nokia) {
    return load_application(jobs, {home / "app.jad", home / "app.jar", nokia, home.path()});
  }

  ZipEntries original{{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n"},
                      {"Main.class", "main"},
                      {"com/nokia/mid/ui/FullCanvas.class", "old"}};
  Bytes jar_bytes;
};

TEST_F(LoadApplication, ReadsBothFilesWhole) {
  const auto loaded = load(false);
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(loaded.value.descriptor, kJad);
  EXPECT_EQ(loaded.value.archive, jar_bytes);
  EXPECT_EQ(loaded.value.archive_name, "app.jar");
  const auto missing = load_application(jobs, {home / "none.jad", home / "app.jar", false, home.path()});
  EXPECT_EQ(missing.result, JobResult::local_file);
  EXPECT_EQ(missing.message, (Message{MessageId::file_read_failed, {}, {}}));
}

TEST_F(LoadApplication, EmulationClassesGoIntoACopy) {
  write_file(home / "emu/com/nokia/mid/ui/FullCanvas.class", "new");
  write_file(home / "emu/com/nokia/mid/sound/Sound.class", "sound");
  for (int round = 0; round < 2; ++round) {
    const auto loaded = load(true);
    ZipEntries expected = original;
    expected["com/nokia/mid/ui/FullCanvas.class"] = "new";
    expected["com/nokia/mid/sound/Sound.class"] = "sound";
    EXPECT_EQ(jar_entries(loaded.value.archive), expected) << "round " << round;
    EXPECT_EQ(read_file(home / "app.jar"), jar_bytes) << "the chosen JAR is never modified";
    EXPECT_FALSE(std::filesystem::exists(home / "temp.jar"));
  }
}

TEST_F(LoadApplication, WithoutEmulationClassesTheJarIsUsedAsItIs) {
  std::filesystem::create_directories(home / "emu/empty");
  EXPECT_EQ(load(true).value.archive, jar_bytes);
  EXPECT_EQ(listener.notices, (std::vector<Message>{{MessageId::no_emu_classes, {}, {}}}));
  EXPECT_FALSE(std::filesystem::exists(home / "temp.jar"));
}

TEST_F(LoadApplication, TheDescriptorSentStatesTheSizeOfTheJarSent) {
  write_file(home / "emu/a.class", "a");
  const std::string real = std::to_string(jar_bytes.size());
  struct Case {
    std::string stated;
    bool nokia;
    bool warned;
  };
  for (const Case& c : {Case{real, false, false}, Case{"1", false, true}, Case{"1", true, false}}) {
    const Bytes jad = "MIDlet-Name: X\r\nMIDlet-Jar-Size: " + c.stated + "\r\nMIDlet-Jar-URL: app.jar\r\n";
    write_file(home / "app.jad", jad);
    listener.notices.clear();
    const auto loaded = load(c.nokia);
    ASSERT_TRUE(loaded.ok());
    const Message warning{MessageId::jar_size_differs, ": MIDlet-Jar-Size 1, app.jar " + real + " byte", {}};
    EXPECT_EQ(listener.notices, c.warned ? std::vector<Message>{warning} : std::vector<Message>{});
    const auto& sent = loaded.value;
    EXPECT_EQ(sent.descriptor, c.nokia ? with_jar_size(jad, sent.archive.size()) : jad);
    EXPECT_EQ(stated_jar_size(sent.descriptor), c.warned ? c.stated : std::to_string(sent.archive.size()));
    EXPECT_EQ(read_file(home / "app.jad"), jad) << "the chosen descriptor is never modified";
  }
}

// The virtual phone's folder "Java" decides which positions hold an application.
class Install : public JobsFixture {
 protected:
  Install() : phone({"LG U8130", "1", storage.path(), 0}) {
    answer_with(port, phone);
    connected("LG U8130");
    std::filesystem::path jad, jar;
    sim::write_sample_midlet(home.path(), jad, jar);
    application = load_application(jobs, {jad, jar, false, home.path()}).value;
  }
  void put_application(int n) {
    const std::string nn{char('0' + n / 10), char('0' + n % 10)};
    write_file(storage / "Java" / (nn + ".jad"), "old " + nn);
    write_file(storage / "Java" / (nn + ".jar"), "old " + nn);
  }
  std::vector<std::string> java_rows() { return read_java_list(jobs).value.rows; }
  TempDir storage;
  sim::VirtualPhone phone;
  ApplicationPair application;
};

TEST_F(Install, ATakenPositionIsReplacedOnlyAsTold) {
  put_application(1);
  put_application(3);
  struct Case {
    const char* position;
    WhenExists when_taken;
    std::deque<bool> answers;
    JobResult result;
    bool asked;
  };
  const Case cases[] = {
      {"03", WhenExists::ask, {false}, JobResult::cancelled, true},
      {"03", WhenExists::keep, {}, JobResult::cancelled, false},
      {"2", WhenExists::keep, {}, JobResult::ok, false},
      {"02", WhenExists::ask, {false}, JobResult::cancelled, true},  // installed since
      {"03", WhenExists::replace, {}, JobResult::ok, false},
  };
  for (const Case& c : cases) {
    const auto rows = java_rows();
    const std::string nn = padded_position(c.position).value_or("");
    const std::string stored = read_file(storage / "Java" / (nn + ".jad"));
    port.written.clear();
    listener.questions.clear();
    listener.answers = c.answers;
    const auto installed = install_application(jobs, {application, c.position, rows, c.when_taken});
    EXPECT_EQ(installed.result, c.result) << c.position;
    EXPECT_EQ(installed.value.position, nn);
    EXPECT_EQ(listener.questions,
              c.asked ? std::vector{said(MessageId::replace_application) + " " + nn + "?"} : std::vector<std::string>{})
        << c.position;
    const bool done = c.result == JobResult::ok;
    EXPECT_EQ(port.written.empty(), !done) << c.position;
    EXPECT_EQ(installed.message ? std::optional(installed.message->id) : std::nullopt,
              done ? std::optional(MessageId::java_installed_u813) : std::nullopt);
    EXPECT_EQ(read_file(storage / "Java" / (nn + ".jad")) == stored, !done) << c.position;
  }
  EXPECT_EQ(read_file(storage / "Java/01.jad"), "old 01");
}

// A full folder leaves no position to propose. (A position, model or pair that cannot be
// installed is refused in the golden transcripts, the frames they show none.)
TEST_F(Install, AFullFolderIsRefusedBeforeAnythingIsSent) {
  for (int n = 1; n <= 64; ++n) put_application(n);
  const auto full = java_rows();
  port.written.clear();
  const auto installed = install_application(jobs, {application, "", full, {}});
  EXPECT_EQ(installed.result, JobResult::bad_input);
  EXPECT_EQ(installed.message->id, MessageId::install_java_full);
  EXPECT_TRUE(port.written.empty());
}

// The rows of a "Java" listing with an application at each of `positions`.
std::vector<std::string> rows_at(const std::vector<int>& positions) {
  std::vector<std::string> rows;
  for (int n : positions) {
    const std::string nn{char('0' + n / 10), char('0' + n % 10)};
    rows.insert(rows.end(), {nn + ".jad", nn + ".jar"});
  }
  return rows;
}

TEST(Position, TheFirstFreeOneIsProposed) {
  std::vector<int> all(64);
  std::iota(all.begin(), all.end(), 1);
  struct Case {
    const char* what;
    std::vector<std::string> rows;
    std::optional<std::string> proposed;
  };
  const Case cases[] = {
      {"empty", {}, "01"},
      {"contiguous: rows / 2 + 1", rows_at({1, 2, 3, 4}), "05"},
      {"two digits", rows_at({1, 2, 3, 4, 5, 6, 7, 8, 9}), "10"},
      {"a gap", rows_at({1, 3}), "02"},
      {"01 removed", rows_at({2, 3}), "01"},
      {"a lone descriptor", {"01.jad", "01.jar", "02.JAD"}, "03"},
      {"a lone archive", {"01.jar"}, "02"},
      {"other files take nothing", {"01.mnf", "1.jad", "001.jar", "ab.jad", "01.jadx", ""}, "01"},
      {"00 is never proposed", rows_at({0}), "01"},
      {"full", rows_at(all), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(first_free_position(c.rows), c.proposed) << c.what;
  EXPECT_TRUE(is_taken(rows_at({0, 64}), "00"));
  EXPECT_TRUE(is_taken(rows_at({0, 64}), "64"));
  EXPECT_FALSE(is_taken(rows_at({0, 64}), "6"));
  EXPECT_FALSE(is_taken({"05.mnf"}, "05"));
}

TEST(Position, PaddedForTheInstall) {
  struct Case {
    const char* text;
    std::optional<std::string> padded;
  };
  for (const Case& c : {Case{"0", "00"}, Case{"5", "05"}, Case{"64", "64"}, Case{"65", {}}, Case{" 5", {}},
                        Case{"123", {}}, Case{"", {}}})
    EXPECT_EQ(padded_position(c.text), c.padded) << c.text;
}

}  // namespace
}  // namespace lg81xx::testing
