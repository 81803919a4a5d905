// The download engine against a scripted phone on virtual time.
#include <gtest/gtest.h>

#include <deque>

#include "base/hex_codec.h"
#include "link/escaping.h"
#include "link/request_frame.h"
#include "shell/messages.h"
#include "support/form_fixture.h"

namespace lg81xx::testing {
namespace {

constexpr std::size_t kL = 45;  // the GET request for Images / a.jpg

// The reply to the GET request: filler up to L - 1, the size (escaped), then data at
// L + 11, or at L + 12 with a 00 at L + 7.
Bytes first_reply(std::uint32_t size, const Bytes& data, bool late_data = false) {
  Bytes r = hex_to_bin("A00000");
  r.resize(kL - 1, '\x11');
  Bytes size_field;
  append_le32(size_field, size);
  r += escaped(size_field);
  r.resize(kL + 7, late_data ? '\x22' : '\0');
  r += late_data ? hex_to_bin("0033333333") : hex_to_bin("01000000");
  r += escaped(data) + '\x7E';
  set_be16(r, 1, static_cast<unsigned>(r.size()));
  return r;
}

// An acknowledgement reply n bytes long up to its 7E: A0, length, 70, length, FF, data, 7E.
Bytes block_reply(std::size_t n, char fill = 'a') {
  Bytes r = hex_to_bin("A00000700000FF");
  r.resize(n - 1, fill);
  r += '\x7E';
  set_be16(r, 1, static_cast<unsigned>(n));
  return r;
}

// A continuation reply: the request's Lc bytes, then data, then 7E.
Bytes continuation_reply(std::size_t lc, const Bytes& data) {
  Bytes r = hex_to_bin("A0000070");
  r.resize(lc, '\x33');
  r += escaped(data) + '\x7E';
  return r;
}

bool is_command(const Bytes& frame, unsigned command) {
  return frame.size() > 11 && get_be16(frame, 9) == command;
}

class DownloadEngine : public FormFixture {
 protected:
  DownloadEngine() {
    port.open("COM1");
    form.Combo1.text = "LG U8130";
    form.List2.items = {"a.jpg"};
    form.List2.list_index = 0;
    form.frame_seq = 4;
    form.link_busy = true;
    port.on_write = [this](const Bytes& frame) {
      std::deque<Bytes>* queue = nullptr;
      if (frame == form.frames.empty_body_frame) queue = &acks;
      else if (is_command(frame, 0x2086)) queue = &gets;
      else if (is_command(frame, 0x20A0)) queue = &continuations;
      if (queue && !queue->empty()) {
        port.arrive(queue->front(), 100);
        queue->pop_front();
      }
    };
  }

  std::int64_t run() {
    std::int64_t status = 0;
    form.download_object(13, 11, 6, 5, utf16le("a.jpg") + '\0', utf16le("Images") + '\0', status);
    return status;
  }
  std::filesystem::path target() const { return home / "saved.jpg"; }
  void will_save() { ui.dialog_answers.push_back(target().string()); }
  void expect_nothing_saved() {
    EXPECT_TRUE(ui.save_filters.empty()) << "no save dialog";
    EXPECT_FALSE(std::filesystem::exists(target()));
  }

  std::deque<Bytes> gets, acks, continuations;
};

TEST_F(DownloadEngine, FirstReplyThatHoldsEverythingSkipsTheLoop) {
  struct Case {
    std::uint32_t size;
    Bytes data;
    bool late_data;
  };
  for (const Case& c : {Case{0, "", false}, Case{3, "ABC", true}, Case{5, hex_to_bin("7E7DFF0D0A"), false},
                        Case{0x7E, Bytes(0x7E, 'k'), true}}) {
    port.written.clear();
    gets = {first_reply(c.size, c.data, c.late_data)};
    will_save();
    EXPECT_EQ(run(), c.size);
    EXPECT_EQ(port.written.size(), 1u) << "only the GET request";
    EXPECT_EQ(read_file(target()), c.data) << "exactly the bytes received, no CR LF";
    EXPECT_EQ(form.last_result, JobResult::ok);
    EXPECT_FALSE(form.link_busy);
    EXPECT_FALSE(form.ledr.visible);
    EXPECT_FALSE(ui.busy);
    form.link_busy = true;
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DownloadEngine, ShortBlockEndsTheTransferExceptOnTheFourthPass) {
  struct Case {
    int state;      // passes before the block in question
    std::size_t n;  // its reply length
    bool ends;
  };
  for (const Case& c : {Case{0, 959, true}, Case{2, 959, true}, Case{3, 959, false}, Case{0, 960, false},
                        Case{3, 960, false}}) {
    SCOPED_TRACE("state " + std::to_string(c.state) + ", reply " + std::to_string(c.n));
    port.written.clear();
    const std::uint32_t size = static_cast<std::uint32_t>(10 + c.state * 952 + (c.n - 8) + 20);
    gets = {first_reply(size, Bytes(10, 'f'))};
    acks.clear();
    for (int i = 0; i < c.state; ++i) acks.push_back(block_reply(960));
    acks.push_back(block_reply(c.n));
    acks.push_back(block_reply(28, 'z'));  // the last 20 bytes, if asked for
    continuations = {continuation_reply(57, Bytes(20, 'z'))};
    will_save();

    EXPECT_EQ(run(), size);
    const std::size_t saved = read_file(target()).size();
    if (c.ends) {
      EXPECT_EQ(port.written.size(), 2u + c.state);
      EXPECT_EQ(saved, size - 20u);
    } else {
      ASSERT_EQ(port.written.size(), 3u + c.state);
      EXPECT_EQ(is_command(port.written.back(), 0x20A0), c.state == 3);
      EXPECT_EQ(saved, size);
    }
  }
}

TEST_F(DownloadEngine, RefusalsEndSilentlyWithNothingSaved) {
  struct Case {
    std::string name;
    int full_acks;  // full blocks before the refusal
    Bytes get, refusal;
  };
  const Bytes big = first_reply(100000, "x");
  for (const Case& c : {Case{"GET refused", 0, hex_to_bin("49000F70000CFF7DDF2086000100" "7E"), {}},
                        Case{"acknowledgement refused", 2, big, hex_to_bin("C30005FF7E")},
                        Case{"acknowledgement reply of 3 bytes", 0, big, hex_to_bin("A0007E")},
                        Case{"continuation refused (3)", 4, big, hex_to_bin("C3007E")}}) {
    SCOPED_TRACE(c.name);
    gets = {c.get};
    acks.clear();
    continuations.clear();
    for (int i = 0; i < c.full_acks; ++i) acks.push_back(block_reply(960));
    (c.full_acks == 4 ? continuations : acks).push_back(c.refusal);
    will_save();
    EXPECT_EQ(run(), -1);
    EXPECT_EQ(form.last_result, JobResult::refused);
    expect_nothing_saved();
    EXPECT_FALSE(form.ledr.visible);
    EXPECT_FALSE(ui.busy);
    ui.dialog_answers.clear();
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DownloadEngine, SilenceGivesTheNoResponseMessageAfterTwentyPolls) {
  for (int answered_acks : {-1, 3}) {  // -1: not even the GET is answered
    SCOPED_TRACE(answered_acks);
    ui.messages.clear();
    gets.clear();
    acks.clear();
    if (answered_acks >= 0) gets = {first_reply(100000, "x")};
    for (int i = 0; i < answered_acks; ++i) acks.push_back(block_reply(960));
    will_save();
    run();
    EXPECT_EQ(clock.now_ms() - port.write_times_ms.back(), 20 * 400);
    EXPECT_EQ(form.last_result, JobResult::no_reply);
    EXPECT_EQ(ui.messages, (std::vector<Message>{{text::kNoReplyDots, MessageStyle::critical, text::kErrorTitle}}));
    expect_nothing_saved();
    ui.dialog_answers.clear();
  }
}

TEST_F(DownloadEngine, BusyRepliesRepeatTheSameGetAfterAKeepAlive) {
  const Bytes busy = hex_to_bin("D30005FF7E");
  gets = {busy, busy, busy, first_reply(2, "hi")};
  will_save();
  run();
  EXPECT_EQ(form.last_result, JobResult::ok);
  ASSERT_EQ(port.written.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i)
    EXPECT_EQ(port.written[i], i % 2 ? form.frames.keep_alive_frame : port.written[0]) << i;
  EXPECT_EQ(form.frame_seq, 5) << "the repeated request keeps its sequence byte";
}

TEST_F(DownloadEngine, CancellingTheSaveDialogWritesNothing) {
  gets = {first_reply(3, "abc")};
  run();
  EXPECT_EQ(form.last_result, JobResult::cancelled);
  EXPECT_EQ(ui.save_filters, std::vector<std::string>{"*.jpg"});
  EXPECT_TRUE(std::filesystem::is_empty(home.path()));
  EXPECT_FALSE(form.link_busy);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DownloadEngine, AFailedWriteIsReportedAndLeavesNoFile) {
  gets = {first_reply(3, "abc")};
  ui.dialog_answers.push_back((home / "missing-folder" / "a.jpg").string());
  run();
  EXPECT_EQ(form.last_result, JobResult::local_file);
  EXPECT_EQ(ui.messages.at(0).text, text::kFileWriteFailed);
  EXPECT_FALSE(std::filesystem::exists(home / "missing-folder"));
}

}  // namespace
}  // namespace lg81xx::testing
