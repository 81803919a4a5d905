// Every job against a virtual phone that misbehaves: silent, late, in pieces, with
// garbage, a wrong response code, a cut or over-long packet, a refusal, or a line pulled
// in the middle. Each case checks the message, the state left behind, that the job ended
// within its budget of virtual time, that no file was left behind, and that a reconnect
// works afterwards.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "phone_port.h"
#include "platform/files.h"
#include "platform/zip/zip_archiver.h"
#include "shell/form1.h"
#include "shell/messages.h"
#include "support/jar_files.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

using sim::Faults;
using sim::ReplyFault;

enum class Op { connect, listing, install, sound, download, probe };

const char* op_name(Op op) {
  static constexpr const char* kNames[] = {"connect", "listing", "install", "sound", "download", "probe"};
  return kNames[static_cast<int>(op)];
}

struct Case {
  Op op;
  std::string fault_label;
  Faults faults;
  JobResult result;
  const char* message;  // nullptr: no message box
};

void PrintTo(const Case& c, std::ostream* os) { *os << op_name(c.op) << "/" << c.fault_label; }

// Virtual time a job may take at most, however the phone behaves: the longest honest job
// here (a 5000-byte download with every wait used up) stays far below it.
constexpr std::int64_t kBudgetMs = 120'000;

Faults at(int request, ReplyFault fault) { return {.fault_at = request, .fault = fault}; }

Bytes sample(std::size_t size) {
  Bytes out;
  for (std::size_t i = 0; i < size; ++i) out.push_back(as_char(static_cast<unsigned>(i * 7 + 3)));
  return out;
}

class FaultMatrix : public ::testing::TestWithParam<Case> {
 protected:
  FaultMatrix()
      : phone(sim::PhoneOptions{"LG U8130", "354321098765432", storage.path(), 0}),
        port(phone, &clock),
        form(Platform{port, clock, ui, archiver, files}, home.path()) {
    form.choose_model("LG U8130");
    form.choose_port("sim");
    write_file(storage / "Images" / "pic.jpg", sample(5000));
    write_file(home / "tone.mid", sample(3000));
    write_file(home / "demo.jad", "MIDlet-Name: Demo\r\nMIDlet-Jar-Size: 4000\r\n");
    make_jar(home / "demo.jar", {{"demo.bin", sample(4000)}});
    write_file(storage / "MessageTone" / "Message1.mid", sample(100));  // what the probe opens
  }

  void connect() {
    ASSERT_EQ(form.connect_or_disconnect(), JobResult::ok);
    ASSERT_TRUE(form.phone().line_free());
  }

  // Runs the job of the case; the faults start with its first request.
  JobResult run(const Case& c) {
    if (c.op != Op::connect) connect();
    ui.messages.clear();
    phone.set_faults(c.faults);
    switch (c.op) {
      case Op::connect:
        return form.connect_or_disconnect();
      case Op::listing:
        form.select_folder(0);  // "Animations"
        return form.open_folder();
      case Op::install:
        ui.dialog_answers = {(home / "demo.jad").string(), (home / "demo.jar").string()};
        form.load_application();
        form.set_position_text("05");
        return form.install_application();
      case Op::sound:
        form.select_sound("mes1");
        ui.dialog_answers = {(home / "tone.mid").string()};
        return form.replace_sound();
      case Op::download:
        ui.dialog_answers = {target().string()};
        return form.download_named("Images", "pic.jpg");
      case Op::probe:
        return form.probe_message_tone();
    }
    return JobResult::bad_input;
  }

  std::filesystem::path target() const { return home / "saved.jpg"; }
  bool said(const std::string& text) const {
    for (const auto& m : ui.messages)
      if (m.text == text) return true;
    return false;
  }

  TempDir storage, home;
  VirtualClock clock;
  sim::VirtualPhone phone;
  sim::PhonePort port;
  RecordingUi ui;
  ZipArchiver archiver;
  LocalFiles files;
  Form1 form;
};

TEST_P(FaultMatrix, EndsWithItsMessageInTimeAndReconnects) {
  const Case& c = GetParam();
  const std::int64_t start = clock.now_ms();
  const JobResult result = run(c);
  const std::int64_t elapsed = clock.now_ms() - start;

  EXPECT_EQ(result, c.result);
  EXPECT_LE(elapsed, kBudgetMs);
  if (c.message) {
    EXPECT_TRUE(said(c.message)) << (ui.messages.empty() ? "no message" : ui.messages.back().text);
  }
  const bool failed = c.result != JobResult::ok;
  if (failed && c.op != Op::connect) {
    // A failed job never claims success.
    EXPECT_FALSE(said(text::kUploadCompletato));
    EXPECT_FALSE(said(text::kSoundLoaded));
    EXPECT_NE(form.progress_bar().caption, "100%");
  }
  if (c.op == Op::download) {
    EXPECT_EQ(std::filesystem::exists(target()), !failed);
    if (!failed) {
      EXPECT_TRUE(read_file(target()) == sample(5000));
    }
  }
  if (c.result == JobResult::link_lost) {
    EXPECT_FALSE(port.is_open());
    EXPECT_FALSE(form.keep_alive_tick());  // the keep-alive stays silent on a closed port
  }
  if (c.result == JobResult::ok) {
    EXPECT_TRUE(form.phone().line_free());
    EXPECT_FALSE(form.controls().ledr.visible);
  }

  // A good line again: disconnect if still connected, then connect and list.
  phone.set_faults({});
  if (port.is_open()) form.connect_or_disconnect();
  ui.messages.clear();
  EXPECT_EQ(form.connect_or_disconnect(), JobResult::ok);
  EXPECT_TRUE(form.phone().line_free());
  EXPECT_FALSE(form.folders().empty());
  // (A half-done install leaves its descriptor on the phone; the position proposed then
  // may draw the position warning, which is no failure of the line.)
  EXPECT_FALSE(said(text::kNoReplyDots));
  EXPECT_FALSE(said(text::kLinkLost));
}

// One row per distinct behaviour of each job. Connect tests no answer itself (the IMEI
// and info simply stay short); the Java listing that follows does.
const Case kCases[] = {
    {Op::connect, "silent", {.silent_after = 0}, JobResult::no_reply, text::kNoReplyDots},
    {Op::connect, "garbage_info", at(5, ReplyFault::garbage), JobResult::ok, nullptr},
    {Op::connect, "in_pieces", {.pieces = 3, .piece_gap_ms = 40}, JobResult::ok, nullptr},
    {Op::connect, "hang_up_at_obex_connect", at(3, ReplyFault::hang_up), JobResult::link_lost, text::kLinkLost},
    {Op::listing, "silent", {.silent_after = 0}, JobResult::no_reply, text::kNoReplyDots},
    {Op::listing, "in_pieces", {.pieces = 4, .piece_gap_ms = 100}, JobResult::ok, nullptr},
    {Op::listing, "garbage", at(1, ReplyFault::garbage), JobResult::ok, nullptr},
    {Op::listing, "overlong", at(1, ReplyFault::overlong), JobResult::ok, nullptr},
    {Op::listing, "hang_up", at(1, ReplyFault::hang_up), JobResult::link_lost, text::kLinkLost},
    {Op::install, "silent_mid_jar", {.silent_after = 3}, JobResult::no_reply, text::kNoReply},
    {Op::install, "late", {.delay_ms = 5000}, JobResult::no_reply, text::kNoReply},
    {Op::install, "in_pieces", {.pieces = 3, .piece_gap_ms = 50}, JobResult::ok, text::kUploadCompletato},
    {Op::install, "refusal", at(2, ReplyFault::refusal), JobResult::no_reply, text::kNoReply},
    {Op::install, "hang_up_mid_jar", at(3, ReplyFault::hang_up), JobResult::link_lost, text::kLinkLost},
    {Op::sound, "silent", {.silent_after = 0}, JobResult::no_reply, text::kNoReply},
    {Op::sound, "in_pieces", {.pieces = 2, .piece_gap_ms = 150}, JobResult::ok, text::kSoundLoaded},
    {Op::sound, "wrong_code", at(1, ReplyFault::wrong_code), JobResult::no_reply, text::kNoReply},
    {Op::sound, "hang_up", at(2, ReplyFault::hang_up), JobResult::link_lost, text::kLinkLost},
    {Op::download, "silent_at_block_3", {.silent_after = 2}, JobResult::no_reply, text::kNoReplyDots},
    {Op::download, "late", {.delay_ms = 9000}, JobResult::no_reply, text::kNoReplyDots},
    {Op::download, "in_pieces", {.pieces = 3, .piece_gap_ms = 100}, JobResult::ok, nullptr},
    {Op::download, "refused_get", at(1, ReplyFault::refusal), JobResult::refused, nullptr},
    {Op::download, "refused_at_block_2", at(2, ReplyFault::refusal), JobResult::refused, nullptr},
    {Op::download, "truncated", at(2, ReplyFault::truncated), JobResult::no_reply, text::kNoReplyDots},
    // Bytes after a block's last 7E are not the block's: the file still comes back whole.
    {Op::download, "overlong", at(2, ReplyFault::overlong), JobResult::ok, nullptr},
    {Op::download, "hang_up", at(3, ReplyFault::hang_up), JobResult::link_lost, text::kLinkLost},
    {Op::probe, "late", {.delay_ms = 9000}, JobResult::no_reply, text::kNoReply},
    {Op::probe, "in_pieces", {.pieces = 2, .piece_gap_ms = 100}, JobResult::ok, nullptr},
    {Op::probe, "refusal", at(1, ReplyFault::refusal), JobResult::no_reply, text::kNoReply},
    {Op::probe, "hang_up", at(1, ReplyFault::hang_up), JobResult::link_lost, text::kLinkLost},
};

INSTANTIATE_TEST_SUITE_P(Jobs, FaultMatrix, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& p) {
                           return std::string(op_name(p.param.op)) + "_" + p.param.fault_label;
                         });

}  // namespace
}  // namespace lg81xx::testing
