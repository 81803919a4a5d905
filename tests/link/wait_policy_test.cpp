// The one waiting component on virtual time, in both modes: which bytes make a reply,
// when the wait ends, and what is left for nobody.
#include "link/wait_policy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/hex_codec.h"
#include "link/link.h"
#include "link/request_frame.h"
#include "support/fake_serial_port.h"

namespace lg81xx {
namespace {

using testing::FakeSerialPort;

Bytes h(std::string_view hex) { return hex_to_bin(hex); }

// A success reply of `total` bytes: response code, big-endian length, filler.
Bytes packet(std::size_t total) {
  Bytes out = h("A00000") + Bytes(total - 3, 'x');
  set_be16(out, 1, static_cast<unsigned>(total));
  return out;
}

const Bytes kAck = h("A00003");
const Bytes kImeiEcho = "AT+CGSN\r\r\n";
const Bytes kImeiAnswer = "354321098765432\r\n\r\nOK\r\n";
const Bytes kBigListing = packet(4000);

// The waits the procedures use.
const WaitRule kUpload{200, 20, Framing::obex, true};
const WaitRule kListingWait{300, 10};
const WaitRule kImei{400, 1, Framing::at_command};
const WaitRule kObexMode{300, 1, Framing::at_command};
const WaitRule kSession{300, 1};

struct Arrival {
  std::int64_t at_ms;  // virtual time since the wait began
  Bytes data;
};

// `data` in 64-byte bursts every `gap_ms` from the start, as a slow line hands them over.
std::vector<Arrival> bursts(const Bytes& data, std::int64_t gap_ms) {
  std::vector<Arrival> out;
  for (std::size_t i = 0; i < data.size(); i += 64)
    out.push_back({static_cast<std::int64_t>(i / 64) * gap_ms, data.substr(i, 64)});
  return out;
}

struct Waited {
  Reply reply;
  std::int64_t elapsed_us;
};

Waited run(WaitMode mode, const WaitRule& rule, const std::vector<Arrival>& arrivals) {
  VirtualClock clock;
  FakeSerialPort port(clock);
  port.open("pty");
  for (const auto& a : arrivals) port.arrive(a.data, a.at_ms);
  Link link(port, clock);
  link.set_mode(mode);
  Reply reply = link.await(rule);
  return {std::move(reply), clock.now_us()};
}

// A whole reply ends the wait as it completes in fast mode and at the wait's end in classic
// mode; without one, both modes wait out the budget.
TEST(Wait, EndsWhenTheReplyIsWholeOrTheBudgetIsSpent) {
  const ReplyStatus whole = ReplyStatus::whole, incomplete = ReplyStatus::incomplete;
  struct Case {
    const char* name;
    WaitRule rule;
    std::vector<Arrival> arrivals;
    ReplyStatus status;
    std::int64_t classic_ms, fast_ms;
    Bytes reply = {};  // checked when whole: all that arrived unless given
  };
  const std::int64_t least = kLeastBudgetMs;
  const Bytes connect = "CONNECT 115200\r\n", cme = "+CME ERROR: 10\r\n";
  const Bytes text = "CONNECTED\r\n+CME ERRORS\r\nSerial: 1\r\nModel name: U8130\r\n";
  const std::vector<Case> cases = {
      {"echo, a pause, the answer: whole at its OK", kImei, {{1, kImeiEcho}, {40, kImeiAnswer}}, whole, 400, 40},
      {"a result with text after it", kObexMode, {{1, "AT*EOBEX\r\r\n"}, {30, connect}}, whole, 300, 30},
      {"an error with its number: whole at its line", kImei, {{1, kImeiEcho}, {40, cme}}, whole, 400, 40},
      // Lines that only begin like a result, or have a blank where one would end, are text.
      {"text like a result", kImei, {{1, kImeiEcho + text}, {90, "OK\r\n"}}, whole, 400, 90},
      {"the highest response code", kUpload, {{7, h("EF0003")}}, whole, 200, 7},
      {"a continue is passed over for the final answer", kUpload, {{5, h("900003")}, {50, kAck}}, whole, 200, 50, kAck},
      {"a continue and the answer in one burst", kUpload, {{5, h("900003") + kAck}}, whole, 200, 5, kAck},
      {"still arriving when the budget ends", kListingWait, bursts(kBigListing, 50), whole, 3100, 3100},
      {"a short wait still gives a reply time to come", kSession, {}, ReplyStatus::silence, least, least},
      {"half a listing", kListingWait, {{20, kBigListing.substr(0, 150)}}, incomplete, 3000, 3000},
      {"a response code without its length", kUpload, {{20, h("A0")}}, incomplete, 4000, 4000},
      {"a frame that is no response", kUpload, {{20, h("F00003")}}, incomplete, 4000, 4000},
      {"an AT answer cut before its result", kImei, {{20, kImeiEcho + "354321"}}, incomplete, least, least},
      {"bytes that stop coming after the budget", kListingWait, bursts(kBigListing.substr(0, 64 * 35), 100), incomplete,
       3400 + kStallMs, 3400 + kStallMs},
  };
  for (const auto& c : cases) {
    for (const WaitMode mode : {WaitMode::classic, WaitMode::fast}) {
      const bool classic = mode == WaitMode::classic;
      SCOPED_TRACE(std::string(c.name) + (classic ? " classic" : " fast"));
      const Waited got = run(mode, c.rule, c.arrivals);
      ASSERT_EQ(got.reply.status, c.status);
      if (c.status == whole) {
        Bytes expected = c.reply;
        if (expected.empty())
          for (const auto& a : c.arrivals) expected += a.data;
        EXPECT_EQ(bin_to_hex(got.reply.bytes), bin_to_hex(expected));
      }
      EXPECT_EQ(got.elapsed_us, (classic ? c.classic_ms : c.fast_ms) * 1000);
    }
  }
}

// Virtual time on which the user cancels at a chosen moment.
class CancellingClock final : public Clock {
 public:
  CancellingClock(VirtualClock& time, std::int64_t cancel_at_ms) : time_(time), at_us_(cancel_at_ms * 1000) {}
  void attach(Link& link) { link_ = &link; }
  void sleep_ms(std::int64_t ms) override { sleep_us(ms * 1000); }
  std::int64_t now_ms() const override { return time_.now_ms(); }
  void sleep_us(std::int64_t us) override {
    time_.sleep_us(us);
    if (link_ != nullptr && time_.now_us() >= at_us_) link_->request_cancel();
  }
  std::int64_t now_us() const override { return time_.now_us(); }

 private:
  VirtualClock& time_;
  std::int64_t at_us_;
  Link* link_ = nullptr;
};

// A cancel during the wait of an exchange: a silent phone is not waited for, a reply on
// its way is read to its end or its first pause, whatever the pacing. The keep-alive's
// wait is no job's and goes on.
TEST(Wait, ACancelEndsTheWaitOfAnExchangeAtOnce) {
  const ReplyStatus whole = ReplyStatus::whole, interrupted = ReplyStatus::interrupted;
  struct Case {
    const char* name;
    WaitRule rule;
    std::vector<Arrival> arrivals;
    std::int64_t cancel_ms;
    ReplyStatus status;
    std::int64_t classic_ms, fast_ms;
    bool exchange = true;
  };
  const std::vector<Case> cases = {
      {"a silent phone, in the middle of a paced interval", kUpload, {}, 510, interrupted, 520, 510},
      {"half a reply, then nothing", kListingWait, {{20, kBigListing.substr(0, 150)}}, 100, interrupted, 150, 150},
      {"a reply still coming is read to its end", kListingWait, bursts(kBigListing, 10), 100, whole, 621, 621},
      {"a reply in before the cancel is seen is the answer", kUpload, {{5, kAck}}, 100, whole, 100, 6},
      {"the keep-alive's wait", kSession, {}, 100, ReplyStatus::silence, kLeastBudgetMs, kLeastBudgetMs, false},
  };
  for (const auto& c : cases) {
    for (const WaitMode mode : {WaitMode::classic, WaitMode::fast}) {
      const bool classic = mode == WaitMode::classic;
      SCOPED_TRACE(std::string(c.name) + (classic ? " classic" : " fast"));
      VirtualClock time;
      CancellingClock clock(time, c.cancel_ms);
      FakeSerialPort port(time);
      port.open("pty");
      Link link(port, clock);
      clock.attach(link);
      link.set_mode(mode);
      for (const auto& a : c.arrivals) port.arrive(a.data, a.at_ms + 1);  // after the request
      const Reply reply = c.exchange ? link.exchange("request", c.rule) : link.await(c.rule);
      EXPECT_EQ(reply.status, c.status);
      EXPECT_EQ(time.now_us(), (classic ? c.classic_ms : c.fast_ms) * 1000);
    }
  }
}

TEST(Wait, StaleBytesAreDroppedBeforeTheNextRequest) {
  VirtualClock clock;
  FakeSerialPort port(clock);
  port.open("pty");
  Link link(port, clock);
  std::vector<std::pair<Direction, Bytes>> trace;
  link.set_trace([&trace](Direction d, std::string_view bytes) { trace.emplace_back(d, Bytes(bytes)); });

  // The first answer comes with bytes behind it, and a late answer to nothing follows.
  port.arrive(kAck + "tail", 10);
  port.arrive(h("A00003"), 500);
  EXPECT_EQ(link.exchange("first", kSession).bytes, kAck);
  clock.advance_ms(1000);
  port.on_write = [&port](const Bytes&) { port.arrive(h("C40003"), 10); };
  EXPECT_EQ(link.exchange("second", kSession).bytes, h("C40003"));

  const std::vector<std::pair<Direction, Bytes>> expected{{Direction::sent, "first"},
                                                          {Direction::received, kAck},
                                                          {Direction::dropped, "tail" + h("A00003")},
                                                          {Direction::sent, "second"},
                                                          {Direction::received, h("C40003")}};
  EXPECT_EQ(trace, expected);
}

// An AT answer means its final result line, text after the code included.
TEST(ReplyCodes, AnAtAnswerMeansItsFinalResult) {
  const std::pair<Bytes, ReplyCode> rows[] = {
      {"CONNECT 115200\r\n", ReplyCode::success},  {"+CME ERROR: 10\r\n", ReplyCode::refused},
      {"+CMS ERROR: 500\r\n", ReplyCode::refused}, {"BUSY\r\n", ReplyCode::busy},
      {"NO CARRIER\r\n", ReplyCode::refused},      {"CONNECTED\r\n", ReplyCode::unexpected},
  };
  for (const auto& [answer, code] : rows) EXPECT_EQ(code_of(kImeiEcho + answer, Framing::at_command), code) << answer;
}

}  // namespace
}  // namespace lg81xx
