// The download engine against a scripted phone on virtual time.
#include <gtest/gtest.h>

#include <deque>

#include "base/hex_codec.h"
#include "link/escaping.h"
#include "link/request_frame.h"
#include "support/phone_fixture.h"

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

// An acknowledgement reply n bytes long up to its 7E: A0 (or 90, continue), length, 70,
// length, FF, data, 7E.
Bytes block_reply(std::size_t n, char fill = 'a', char code = '\xA0') {
  Bytes r = hex_to_bin("A00000700000FF");
  r[0] = code;
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
  set_be16(r, 1, static_cast<unsigned>(r.size()));
  return r;
}

bool is_command(const Bytes& frame, unsigned command) { return frame.size() > 11 && get_be16(frame, 9) == command; }

class PhoneDownload : public PhoneFixture {
 protected:
  PhoneDownload() {
    connected("LG U8130");
    phone.set_sequence(4);
    port.on_write = [this](const Bytes& frame) {
      std::deque<Bytes>* queue = nullptr;
      if (frame == phone.frames().empty_body_frame)
        queue = &acks;
      else if (is_command(frame, 0x2086))
        queue = &gets;
      else if (is_command(frame, 0x20A0))
        queue = &continuations;
      if (queue && !queue->empty()) {
        port.arrive(queue->front(), 100);
        queue->pop_front();
      }
    };
  }

  Outcome<Bytes> run() { return phone.download({"Images", "a.jpg"}); }

  std::deque<Bytes> gets, acks, continuations;
};

// The GET reply alone: a whole file, or the end of the download.
TEST_F(PhoneDownload, TheFirstRepliesHoldTheFileOrEndTheDownload) {
  struct Case {
    const char* name;
    Bytes get, ack;
    JobResult result;
    Bytes data;
    std::size_t requests;
  };
  const Bytes escapes = hex_to_bin("7E7DFF0D0A");
  const Bytes late = Bytes(0x7E, 'k');
  const JobResult ok = JobResult::ok, refused = JobResult::refused;
  const Case cases[] = {
      {"all of it in the GET reply: exactly its bytes, no CR LF", first_reply(5, escapes), {}, ok, escapes, 1},
      {"data after a 00 at L + 7, behind an escaped size", first_reply(0x7E, late, true), {}, ok, late, 1},
      {"GET answer too short for the size", hex_to_bin("A0000A70000AFF00007E"), {}, JobResult::bad_reply, {}, 1},
      {"the acknowledgement unanswered by a block", first_reply(100000, "x"), hex_to_bin("A00003"), refused, {}, 2},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    port.written.clear();
    gets = {c.get};
    acks = {c.ack};
    const auto got = run();
    EXPECT_EQ(got.result, c.result);
    EXPECT_EQ(got.value, c.data);
    EXPECT_EQ(port.written.size(), c.requests);
    EXPECT_FALSE(events.lamps.back());
    EXPECT_TRUE(phone.line_free());
  }
}

TEST_F(PhoneDownload, ShortBlockEndsTheTransferExceptOnTheFourthPass) {
  struct Case {
    int state;          // passes before the block in question
    std::size_t n;      // its reply length
    std::size_t after;  // bytes the phone announced beyond that block
    std::size_t requests;
    JobResult result;
  };
  for (const Case& c : {Case{3, 959, 20, 6, JobResult::ok}, Case{0, 960, 20, 3, JobResult::ok},
                        // The transfer ends short of the size announced: nothing is handed back.
                        Case{1, 959, 20, 3, JobResult::bad_reply}}) {
    SCOPED_TRACE("state " + std::to_string(c.state) + ", reply " + std::to_string(c.n));
    port.written.clear();
    const std::uint32_t size = static_cast<std::uint32_t>(10 + c.state * 952 + (c.n - 8) + c.after);
    gets = {first_reply(size, Bytes(10, 'f'))};
    acks.clear();
    for (int i = 0; i < c.state; ++i) acks.push_back(block_reply(960, 'a', '\x90'));
    acks.push_back(block_reply(c.n));
    acks.push_back(block_reply(28, 'z'));  // the last 20 bytes, if asked for
    continuations = {continuation_reply(57, Bytes(20, 'z'))};

    const auto got = run();
    EXPECT_EQ(got.result, c.result);
    EXPECT_EQ(got.value.size(), c.result == JobResult::ok ? size : 0u);
    ASSERT_EQ(port.written.size(), c.requests);
    EXPECT_EQ(is_command(port.written.back(), 0x20A0), c.requests == 6);
  }
}

// Ten GET requests at most, each after a keep-alive: then the phone is busy, and says so.
TEST_F(PhoneDownload, ABusyPhoneIsAskedTheSameGetAgainAfterAKeepAlive) {
  gets.assign(11, hex_to_bin("D30005FF7E"));
  EXPECT_EQ(run().result, JobResult::busy);
  ASSERT_EQ(port.written.size(), 21u);
  for (std::size_t i = 0; i < port.written.size(); ++i)
    EXPECT_EQ(port.written[i], i % 2 ? phone.frames().keep_alive_frame : port.written[0]) << i;
  EXPECT_EQ(phone.sequence(), 5) << "the repeated request keeps its sequence byte";
}

}  // namespace
}  // namespace lg81xx::testing
