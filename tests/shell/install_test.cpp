// "INVIA" at a chosen position: a taken one is replaced only after a yes, a full folder says so.
#include <gtest/gtest.h>

#include "sample_content.h"
#include "shell/messages.h"
#include "support/form_fixture.h"
#include "support/phone_on_fake_port.h"

namespace lg81xx::testing {
namespace {

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
    EXPECT_EQ(form.descriptor().empty(), installed) << c.position;            // sent once
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
