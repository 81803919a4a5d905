// "INVIA": what the window says however the install ends, and the inputs it refuses
// before anything is sent.
#include <gtest/gtest.h>

#include "sample_content.h"
#include "shell/messages.h"
#include "support/form_fixture.h"
#include "support/jar_files.h"
#include "support/phone_on_fake_port.h"

namespace lg81xx::testing {
namespace {

const Bytes kAck("\xA0\x00\x03", 3);

class Install : public FormFixture {
 protected:
  Install() {
    write_file(home / "demo.jad", "MIDlet-Name: Demo\r\nmidlet-jar-size: 1234\r\n");
    make_jar(home / "demo.jar", {{"a.bin", Bytes(500, 'j')}});
    form.phone().open("COM1");
    port.on_write = [this](const Bytes& frame) {
      if (!refuse || !refuse(frame)) port.arrive(kAck, 30);
    };
  }
  // An empty descriptor is refused as it is loaded: the install then has nothing.
  void load(const char* jad = "demo.jad") {
    ui.dialog_answers = {(home / jad).string(), (home / "demo.jar").string()};
    form.load_application();
  }

  std::function<bool(const Bytes&)> refuse;
};

TEST_F(Install, AnyUnacknowledgedStepEndsWithOneMessage) {
  auto named = [](std::string_view name) {
    return [n = std::string(name)](const Bytes& f) {
      return f.find(n) != Bytes::npos || f.find(utf16le(n)) != Bytes::npos;
    };
  };
  struct Case {
    const char* model;
    std::function<bool(const Bytes&)> refuse;
    std::size_t writes;
    bool pair_kept;               // "FILE CARICATO" and the pair, for INVIA again
    std::int64_t last_wait_ms;  // after the unanswered request, before the Java list is read again
  };
  const std::vector<Case> cases{
      {"LG U8110", named("05.jad"), 1, false, 20 * 200},
      {"LG U8110", named("05.jar"), 3, true, 20 * 200},
      {"LG U8110", named("pushlist"), 6, true, kLeastBudgetMs},  // one read after 700 ms, then the reply's time
      {"LG U8130", [](const Bytes& f) { return byte_at(f, 10) == 0x88; }, 1, true, kLeastBudgetMs},
      {"LG U8130", named("05.jad"), 2, true, 20 * 200},
      {"LG U8130", named("pushlist"), 6, true, 20 * 400},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.model) + ", " + std::to_string(c.writes) + " writes");
    load();
    form.set_position_text("5");
    port.written.clear();
    ui.messages.clear();
    choose_model_and_open(c.model);
    refuse = c.refuse;
    EXPECT_EQ(form.install_application(), JobResult::no_reply);
    ASSERT_EQ(port.written.size(), c.writes + 1);  // the Java list read again
    EXPECT_EQ(port.write_times_ms.end()[-1] - port.write_times_ms.end()[-2], c.last_wait_ms);
    EXPECT_EQ(ui.messages, (std::vector<Message>{{text::kNoReply, MessageStyle::critical, "ERRORE"}}));
    EXPECT_EQ(form.position(), "01");  // proposed anew from the list read again (an empty one here)
    EXPECT_EQ(form.controls().Label8.caption.empty(), !c.pair_kept);
    EXPECT_EQ(form.descriptor().empty(), !c.pair_kept);
    EXPECT_TRUE(form.phone().line_free());
    EXPECT_FALSE(ui.busy);
  }
}

TEST_F(Install, InputsThatCannotBeInstalledAreRefusedBeforeAnythingIsSent) {
  write_file(home / "empty.jad", "");
  struct Case {
    const char* model;
    const char* position;
    const char* jad;
    bool open;
    const char* message;
  };
  const std::vector<Case> cases{
      {"", "05", "demo.jad", true, text::kUnknownModel},
      {"LG U8120", "123", "demo.jad", true, text::kBadPosition},
      {"LG U8130", " 5", "demo.jad", true, text::kBadPosition},
      {"LG U8130", "05", "empty.jad", true, text::kNoSelection},
      {"LG U8130", "05", "demo.jad", false, text::kNotConnected},
  };
  for (const auto& c : cases) {
    load(c.jad);
    ui.messages.clear();
    choose_model_and_open(c.model);
    form.set_position_text(c.position);
    if (!c.open) port.close();
    EXPECT_EQ(form.install_application(), c.open ? JobResult::bad_input : JobResult::not_connected);
    EXPECT_TRUE(port.written.empty()) << c.model << " '" << c.position << "'";
    EXPECT_EQ(ui.messages.back().text, c.message) << c.model << " '" << c.position << "'";
    EXPECT_EQ(form.position(), c.position);
    EXPECT_FALSE(ui.busy);
  }
}

// The virtual phone's folder "Java" decides which positions hold an application.
class InstallAtPosition : public FormFixture {
 protected:
  InstallAtPosition() : phone({"LG U8130", "1", storage.path(), 0}) {
    answer_with(port, phone);
    form.choose_model("LG U8130");
    form.phone().open("COM1");
    std::filesystem::path jad, jar;
    sim::write_sample_midlet(home.path(), jad_, jar_);
    load();
  }
  // An installed pair is released: every install loads its own.
  void load() {
    ui.dialog_answers = {jad_.string(), jar_.string()};
    form.load_application();
  }
  void put_application(int n) {
    const std::string nn{char('0' + n / 10), char('0' + n % 10)};
    write_file(storage / "Java" / (nn + ".jad"), "old " + nn);
    write_file(storage / "Java" / (nn + ".jar"), "old " + nn);
  }
  TempDir storage;
  sim::VirtualPhone phone;
  std::filesystem::path jad_, jar_;
};

TEST_F(InstallAtPosition, ATakenPositionIsReplacedOnlyAfterAYes) {
  put_application(1);
  put_application(3);
  ASSERT_EQ(form.propose_position(), JobResult::ok);
  ASSERT_EQ(form.position(), "02");
  struct Case {
    const char* position;
    std::deque<bool> answers;
    JobResult result;
    bool asked;
  };
  const Case cases[] = {
      {"03", {false}, JobResult::cancelled, true},
      {"02", {}, JobResult::ok, false},
      {"02", {false}, JobResult::cancelled, true},  // installed since the listing
      {"03", {true}, JobResult::ok, true},
  };
  for (const Case& c : cases) {
    const std::string stored = read_file(storage / "Java" / (std::string(c.position) + ".jad"));
    port.written.clear();
    ui.questions.clear();
    ui.answers = c.answers;
    load();
    form.set_position_text(c.position);
    EXPECT_EQ(form.install_application(), c.result) << c.position;
    EXPECT_EQ(ui.questions.size(), c.asked ? 1u : 0u) << c.position;
    const bool installed = c.result == JobResult::ok;
    EXPECT_EQ(port.written.empty(), !installed) << c.position;
    EXPECT_EQ(form.descriptor().empty(), installed) << c.position;  // sent once
    EXPECT_EQ(form.position(), installed ? "04" : c.position) << c.position;  // proposed anew from the phone
    EXPECT_EQ(read_file(storage / "Java" / (std::string(c.position) + ".jad")) == stored, !installed) << c.position;
  }
  EXPECT_EQ(ui.questions.back(), std::string(text::kReplaceApplication) + " 03?");
  EXPECT_EQ(read_file(storage / "Java/01.jad"), "old 01");
}

TEST_F(InstallAtPosition, AFullFolderSaysSo) {
  for (int n = 1; n <= 64; ++n) put_application(n);
  ASSERT_EQ(form.propose_position(), JobResult::ok);
  EXPECT_EQ(form.position(), "");
  EXPECT_EQ(form.install_application(), JobResult::bad_input);
  const Message full{text::kJavaFull, MessageStyle::warning, ""};
  EXPECT_EQ(ui.messages, (std::vector<Message>{full, {text::kJavaFull, MessageStyle::critical, "ERRORE"}}));
}

}  // namespace
}  // namespace lg81xx::testing
