// Every job, in both timings, against a virtual phone that misbehaves: silent, late, in
// pieces across the read interval, cut short, garbled, refusing, answering a wrong code,
// busy, or pulling the line; or stopped by the user ("Annulla") while a request of it is
// on the line. Each case checks the result and its one message, that the job
// ended within its budget of virtual time, that what it shows or saves is whole and true
// (a download byte-identical or no file, a listing complete, the connect's values right or
// none), and that a reconnect works afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "generated_entries.h"
#include "jobs/messages.h"
#include "link/session_frames.h"
#include "phone_port.h"
#include "platform/files.h"
#include "platform/zip/zip_archiver.h"
#include "shell/window_model.h"
#include "support/jar_files.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

using sim::Faults;
using sim::ReplyFault;

enum class Op { connect, listing, install, sound, download, probe };

struct Case {
  Op op;
  std::string name;  // the job and what goes wrong
  Faults faults;
  JobResult result;
  std::optional<MessageId> message = std::nullopt;  // the one message box the job shows, by its start; nothing: none
  const char* detail = "";                          // what else the message must say
  const char* chosen = "LG U8130";
  int entries = 0;    // files generated into the folder listed
  int cancel_at = 0;  // the user cancels while this request of the job is on the line
};

// Virtual time a job may take at most, however the phone behaves.
constexpr std::int64_t kBudgetMs = 120'000;
constexpr const char* kImei = "354321098765432";

Faults at(int request, ReplyFault fault) { return {.fault_at = request, .fault = fault}; }
const Faults kSplit{.pieces = 2, .piece_gap_ms = 450};  // every answer across a read interval
const Faults kLate{.delay_ms = 450};                    // every answer past its first fixed wait

// The user presses "Annulla" while `request` of the job is on the line.
Case cancelled(Op op, const char* name, int request, const char* detail = "") {
  return {op, name, {}, JobResult::interrupted, MessageId::cancelled, detail, "LG U8130", 0, request};
}

Bytes sample(std::size_t size) {
  Bytes out;
  for (std::size_t i = 0; i < size; ++i) out.push_back(as_char(static_cast<unsigned>(i * 7 + 3)));
  return out;
}

class FaultMatrix : public ::testing::TestWithParam<std::tuple<WaitMode, Case>> {
 protected:
  FaultMatrix()
      : phone(sim::PhoneOptions{"LG U8130", kImei, storage.path(), 0}),
        line(phone, &clock),
        window(Platform{line, clock, ui, archiver, files}, home.path()) {
    window.set_data_folder(home / "data");  // the phone's own sounds, kept here
    window.choose_model(the_case().chosen);
    window.choose_port("sim");
    window.set_fast(std::get<0>(GetParam()) == WaitMode::fast);
    write_file(storage / "Images" / "pic.jpg", sample(5000));
  }

  static const Case& the_case() { return std::get<1>(GetParam()); }

  // Runs the job of the case, with the files only it needs; the faults start with its
  // first request.
  JobResult run(const Case& c) {
    if (c.op != Op::connect) {
      EXPECT_EQ(window.connect_or_disconnect(), JobResult::ok);
      EXPECT_TRUE(window.phone().line_free());
    }
    ui.messages.clear();
    phone.set_faults(c.faults);
    // The user presses "Annulla" once the phone has heard the chosen request.
    phone.context().on_log = [this, heard = 0, cancel_at = c.cancel_at](const std::string& logged) mutable {
      if (logged.starts_with("<< ") && ++heard == cancel_at) window.request_cancel();
    };
    requests_before = line.written().size();
    switch (c.op) {
      case Op::connect: return window.connect_or_disconnect();
      case Op::listing:
        for (const char* name : {"a.jpg", "b.mid", "c.txt"}) write_file(storage / "Animations" / name, name);
        sim::add_generated_entries(storage / "Animations", c.entries);
        window.select_folder(0);  // "Animations"
        return window.open_folder();
      case Op::install: {
        make_jar(home / "demo.jar", {{"demo.bin", sample(4000)}});
        const auto jar_size = std::filesystem::file_size(home / "demo.jar");
        write_file(home / "demo.jad", "MIDlet-Name: Demo\r\nMIDlet-Jar-Size: " + std::to_string(jar_size) + "\r\n");
        ui.dialog_answers = {(home / "demo.jad").string(), (home / "demo.jar").string()};
        window.load_application();
        window.set_position_text("05");
        return window.install_application();
      }
      case Op::sound:
        // The phone's own tone, which the replacement reads and keeps first.
        write_file(storage / "MessageTone" / "Message1.mid", sample(100));
        write_file(home / "tone.mid", sample(3000));
        window.select_sound("mes1");
        ui.dialog_answers = {(home / "tone.mid").string()};
        return window.replace_sound();
      case Op::download: ui.dialog_answers = {target.string()}; return window.download_named("Images", "pic.jpg");
      case Op::probe:
        write_file(storage / "MessageTone" / "Message1.mid", sample(100));
        return window.probe_message_tone();
    }
    return JobResult::bad_input;
  }

  TempDir storage, home;
  VirtualClock clock;
  sim::VirtualPhone phone;
  sim::PhonePort line;
  std::size_t requests_before = 0;  // written before the job
  std::filesystem::path target = home / "saved.jpg";
  RecordingUi ui;
  ZipArchiver archiver;
  LocalFiles files;
  WindowModel window;
};

TEST_P(FaultMatrix, EndsTrueAndOnceInTimeAndReconnects) {
  const Case& c = the_case();
  const std::int64_t start = clock.now_ms();
  const JobResult result = run(c);
  EXPECT_EQ(result, c.result);
  EXPECT_LE(clock.now_ms() - start, kBudgetMs);

  // One message at most, the case's.
  ASSERT_EQ(ui.messages.size(), c.message ? 1u : 0u) << (ui.messages.empty() ? "" : ui.messages.back().text);
  if (c.message) {
    const std::string& said = ui.messages.front().text;
    EXPECT_EQ(said.rfind(catalogue(*c.message).italian, 0), 0u) << said;
    EXPECT_NE(said.find(c.detail), std::string::npos) << said;
  }
  const bool ok = result == JobResult::ok;
  if (!ok && c.op != Op::connect) {
    EXPECT_NE(window.progress_bar().caption, "100%");
  }
  switch (c.op) {
    case Op::connect:
      // The phone's values, or nothing shown and the port closed; an IMEI answer cut
      // short connects with the IMEI shown as not read.
      EXPECT_EQ(window.imei(), !ok ? "" : c.faults.fault_at != 1 ? kImei : text::kImeiNotRead);
      EXPECT_EQ(window.information(), ok ? "U8130 V10c-EUR" : "");
      EXPECT_EQ(window.folders(),
                (ok ? std::vector<std::string>{"Animations", "Audios", "Images", "Videos", "VoiceRecord", "Java"}
                    : std::vector<std::string>{}));
      EXPECT_EQ(line.is_open(), ok);
      break;
    case Op::listing: {
      std::vector<std::string> stored;
      for (const auto& entry : std::filesystem::directory_iterator(storage / "Animations"))
        stored.push_back(entry.path().filename().string());
      std::sort(stored.begin(), stored.end());
      EXPECT_EQ(window.entries(), ok ? stored : std::vector<std::string>{});
      break;
    }
    case Op::download:
      EXPECT_EQ(std::filesystem::exists(target), ok);
      if (ok) {
        EXPECT_TRUE(read_file(target) == sample(5000));
      }
      break;
    default: break;
  }
  if (c.cancel_at > 0 && result == JobResult::interrupted) {
    // The request on the line was answered (or the phone was silent), then the phone heard
    // goodbye, and nothing more.
    EXPECT_EQ(line.written().size() - requests_before, static_cast<std::size_t>(c.cancel_at) + 1);
    EXPECT_TRUE(line.written().back() == make_session_frames().disconnect_frame);
    EXPECT_FALSE(line.is_open());
    EXPECT_EQ(window.imei(), "");
  }
  if (result == JobResult::link_lost) {
    EXPECT_FALSE(line.is_open());
    EXPECT_FALSE(window.keep_alive_tick());  // the keep-alive stays silent on a closed port
  }
  if (ok) {
    EXPECT_TRUE(window.phone().line_free());
    EXPECT_FALSE(window.controls().lamp_red);
  }

  // A good line again: disconnect if still connected, then connect and list.
  phone.set_faults({});
  if (line.is_open()) window.connect_or_disconnect();
  window.choose_model("LG U8130");
  ui.messages.clear();
  EXPECT_EQ(window.connect_or_disconnect(), JobResult::ok);
  EXPECT_TRUE(window.phone().line_free());
  EXPECT_FALSE(window.folders().empty());
}

// Connect: requests 1 AT+CGSN, 2 AT*EOBEX, 3 CONNECT, 4 session, 5 information, 6 20 81,
// 7 root list, 8 the Java list. Jobs count their own requests from 1. (A silent phone and
// a pulled line during a listing, a sound or the probe are in the golden transcripts.)
// Every job judges its replies alike, so a fault kind is a row of the jobs that handle it
// their own way: the connect names its step, the download judges a GET and its blocks.
const Case kCases[] = {
    {Op::connect, "connect_silent", {.silent_after = 0}, JobResult::no_reply, MessageId::no_reply, "IMEI"},
    {Op::connect, "connect_split", kSplit, JobResult::ok},
    {Op::connect, "connect_truncated_imei", at(1, ReplyFault::truncated), JobResult::ok},
    {Op::connect, "connect_garbage_info", at(5, ReplyFault::garbage), JobResult::bad_reply, MessageId::bad_reply,
     "informazioni"},
    {Op::connect, "connect_refused_obex", at(3, ReplyFault::refusal), JobResult::refused, MessageId::refused, "OBEX"},
    {Op::connect, "connect_wrong_code_folders", at(7, ReplyFault::wrong_code), JobResult::refused, MessageId::refused,
     "cartelle"},
    {Op::connect, "connect_busy_java_list", {.busy_listings = 2}, JobResult::ok},
    {Op::connect, "connect_hang_up_at_obex_connect", at(3, ReplyFault::hang_up), JobResult::link_lost,
     MessageId::link_lost},
    {Op::connect, "connect_wrong_model", {}, JobResult::bad_input, MessageId::wrong_model, "LG U8130", "LG U8110"},

    {Op::listing, "listing_late", kLate, JobResult::ok},
    {Op::listing, "listing_truncated", at(1, ReplyFault::truncated), JobResult::bad_reply, MessageId::bad_reply},
    {Op::listing, "listing_busy", {.busy_listings = 2}, JobResult::ok},
    // 1,500 entries on a line that hands over 65 bytes every 6 ms: longer than the budget.
    {.op = Op::listing,
     .name = "listing_paced_1500",
     .faults = {.pieces = 600, .piece_gap_ms = 6},
     .result = JobResult::ok,
     .entries = 1500},

    // Install: 1 the folder request, 2 05.jad, 3-7 05.jar, 8 05.mnf, 9 contentInfo, 10 pushlist.
    {Op::install, "install_silent_mid_jar", {.silent_after = 3}, JobResult::no_reply, MessageId::no_reply},
    {Op::install, "install_split", kSplit, JobResult::ok, MessageId::java_installed_u813},
    {Op::install, "install_garbage", at(9, ReplyFault::garbage), JobResult::bad_reply, MessageId::bad_reply},
    {Op::install, "install_refusal", at(2, ReplyFault::refusal), JobResult::refused, MessageId::refused},
    {Op::install, "install_busy", {.busy_uploads = 1}, JobResult::ok, MessageId::java_installed_u813},
    {Op::install, "install_hang_up_mid_jar", at(3, ReplyFault::hang_up), JobResult::link_lost, MessageId::link_lost},

    // Download: 1 GET, then a block for each request.
    {Op::download, "download_silent_at_block_3", {.silent_after = 2}, JobResult::no_reply, MessageId::no_reply_dots},
    {Op::download, "download_split_blocks", {.pieces = 2, .piece_gap_ms = 450, .from = 2}, JobResult::ok},
    {Op::download, "download_garbage", at(2, ReplyFault::garbage), JobResult::bad_reply, MessageId::bad_reply},
    {Op::download, "download_refused_get", at(1, ReplyFault::refusal), JobResult::refused, MessageId::refused},
    {Op::download, "download_refused_at_block_2", at(2, ReplyFault::refusal), JobResult::refused, MessageId::refused},
    {Op::download, "download_busy", {.busy_downloads = 2}, JobResult::ok},
    {Op::download, "download_overlong", at(2, ReplyFault::overlong), JobResult::ok},

    // "Annulla" while a request is on the line: that request is answered, then the session
    // is closed. An install names the files that reached the phone whole.
    cancelled(Op::connect, "connect_cancel_at_session", 4),
    cancelled(Op::install, "install_cancel_at_folder_request", 1, "nessun file"),
    cancelled(Op::install, "install_cancel_mid_jar", 4, "telefono: 05.jad"),
    // The phone falls silent in the middle of the JAR: the cancel does not wait it out.
    {Op::install,
     "install_cancel_while_silent_mid_jar",
     {.silent_after = 3},
     JobResult::interrupted,
     MessageId::cancelled,
     "telefono: 05.jad",
     "LG U8130",
     0,
     4},
    cancelled(Op::install, "install_cancel_at_mnf", 9, "05.jad, 05.jar, 05.mnf"),
    cancelled(Op::install, "install_cancel_at_content_info", 10, "05.mnf"),
    cancelled(Op::sound, "sound_cancel_at_first_frame", 1),
    cancelled(Op::download, "download_cancel_at_get", 1),
    // The continuation brings the last block: the file is whole, but not wanted any more.
    cancelled(Op::download, "download_cancel_at_last_block", 6),

    {Op::probe, "probe_busy", {.busy_downloads = 2}, JobResult::ok},
};

INSTANTIATE_TEST_SUITE_P(Jobs, FaultMatrix,
                         ::testing::Combine(::testing::Values(WaitMode::classic, WaitMode::fast),
                                            ::testing::ValuesIn(kCases)),
                         [](const ::testing::TestParamInfo<std::tuple<WaitMode, Case>>& p) {
                           const char* timing = std::get<0>(p.param) == WaitMode::fast ? "fast_" : "classic_";
                           return timing + std::get<1>(p.param).name;
                         });

}  // namespace
}  // namespace lg81xx::testing
