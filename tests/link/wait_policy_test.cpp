// The fast waiting policy on virtual time: when it returns, and with what.
#include "link/wait_policy.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/hex_codec.h"
#include "link/link.h"
#include "support/fake_serial_port.h"

namespace lg81xx {
namespace {

using testing::FakeSerialPort;

Bytes h(std::string_view hex) { return hex_to_bin(hex); }

// An OBEX-shaped reply of `total` bytes: response code, big-endian length, filler.
Bytes packet(std::uint8_t code, std::size_t total) {
  Bytes out;
  put_byte(out, code);
  put_byte(out, static_cast<unsigned>(total >> 8));
  put_byte(out, static_cast<unsigned>(total & 0xFF));
  for (std::size_t i = 3; i < total; ++i) put_byte(out, static_cast<unsigned>(i * 7));
  return out;
}

const Bytes kAck = h("A00003");
const Bytes kImeiReply = "\r\n351234567890123\r\n\r\nOK\r\n";  // echo off
const Bytes kImeiEcho = "AT+CGSN\r";
const Bytes kRefusal = h("49000F");
const Bytes kListing = packet(0x90, 300);
const Bytes kLongBlock = packet(0x90, 963);

// The waits the procedures use.
WaitSpec upload_wait() { return {200, 20, is_acknowledgement}; }
WaitSpec download_wait() { return {400, 20, at_least(3)}; }
WaitSpec listing_wait() { return {300, 10, at_least(5)}; }
WaitSpec imei_wait() { return {400, 1, {}}; }
WaitSpec one_read_of_five() { return {100, 1, at_least(5)}; }
// The tables hold factories: std::function members in braced tables upset GCC's
// -Wmaybe-uninitialized in optimised builds.
using SpecFn = WaitSpec (*)();

struct Arrival {
  std::int64_t at_ms;  // virtual time since the wait began
  Bytes data;
};

struct Outcome {
  std::optional<Bytes> reply;
  std::int64_t elapsed_us;
};

Outcome run(WaitMode mode, SpecFn spec, const std::vector<Arrival>& arrivals,
            std::int64_t quiet_gap_us = kDefaultQuietGapUs) {
  VirtualClock clock;
  FakeSerialPort port(clock);
  port.open("pty");
  for (const auto& a : arrivals) port.arrive(a.data, a.at_ms);
  Link link(port, clock);
  link.set_mode(mode);
  link.set_quiet_gap_us(quiet_gap_us);
  auto reply = link.await(spec());
  return {std::move(reply), clock.now_us()};
}

TEST(FastWait, ReturnsAsSoonAsTheReplyIsComplete) {
  struct Case {
    const char* name;
    SpecFn spec;
    std::vector<Arrival> arrivals;
    Bytes reply;
    std::int64_t elapsed_us;
    std::int64_t quiet_gap_us = kDefaultQuietGapUs;
  };
  const Bytes split = kListing;
  const std::vector<Case> cases = {
      {"acknowledgement, whole", upload_wait, {{7, kAck}}, kAck, 7000},
      {"acknowledgement, split after its first byte", upload_wait,
       {{7, kAck.substr(0, 1)}, {8, kAck.substr(1)}}, kAck, 8000},
      {"listing split across reads", listing_wait,
       {{5, split.substr(0, 4)}, {6, split.substr(4, 100)}, {9, split.substr(104)}}, split, 9000},
      {"long block with pauses longer than the quiet gap", download_wait,
       {{10, kLongBlock.substr(0, 64)},
        {30, kLongBlock.substr(64, 500)},
        {90, kLongBlock.substr(564)}},
       kLongBlock, 90000},
      {"AT reply ends after the quiet gap", imei_wait, {{4, kImeiReply}}, kImeiReply, 7000},
      {"echo, then the answer after a pause: complete at its OK", imei_wait,
       {{1, kImeiEcho}, {40, kImeiReply}}, kImeiEcho + kImeiReply, 40000},
      {"refusal 49 00 0F ends after the quiet gap", download_wait,
       {{10, kRefusal}}, kRefusal, 13000},
      {"longer quiet gap keeps bursts 5 ms apart together", imei_wait,
       {{4, kImeiReply.substr(0, 10)}, {9, kImeiReply.substr(10)}}, kImeiReply, 19000, 10000},
      {"an unfinished packet that passes the test is returned at the budget", one_read_of_five,
       {{20, kListing.substr(0, 50)}}, kListing.substr(0, 50), 100000},
  };
  for (const auto& c : cases) {
    const Outcome got = run(WaitMode::fast, c.spec, c.arrivals, c.quiet_gap_us);
    ASSERT_TRUE(got.reply.has_value()) << c.name;
    EXPECT_EQ(bin_to_hex(*got.reply), bin_to_hex(c.reply)) << c.name;
    EXPECT_EQ(got.elapsed_us, c.elapsed_us) << c.name;
  }
}

TEST(FastWait, AReplyThatFailsTheTestIsReplacedByTheNext) {
  struct Case {
    const char* name;
    SpecFn spec;
    std::vector<Arrival> arrivals;
    std::optional<Bytes> reply;
    std::int64_t elapsed_us;
  };
  const std::vector<Case> cases = {
      {"continue before the acknowledgement", upload_wait,
       {{5, h("900003")}, {50, kAck}}, kAck, 50000},
      {"two packets in one burst are judged together, like one classic read", upload_wait,
       {{5, h("900003") + kAck}}, std::nullopt, 4000000},
      {"only a wrong reply: nothing, at the budget", upload_wait, {{5, h("C00003")}}, std::nullopt,
       4000000},
  };
  for (const auto& c : cases) {
    const Outcome got = run(WaitMode::fast, c.spec, c.arrivals);
    EXPECT_EQ(got.reply.has_value(), c.reply.has_value()) << c.name;
    if (got.reply && c.reply) {
      EXPECT_EQ(bin_to_hex(*got.reply), bin_to_hex(*c.reply)) << c.name;
    }
    EXPECT_EQ(got.elapsed_us, c.elapsed_us) << c.name;
  }
}

TEST(FastWait, SilenceEndsExactlyAsInClassicMode) {
  struct Case {
    const char* name;
    SpecFn spec;
    std::int64_t budget_ms;
  };
  const std::vector<Case> cases = {
      {"upload", upload_wait, 4000},
      {"download", download_wait, 8000},
      {"listing", listing_wait, 3000},
  };
  for (const auto& c : cases) {
    const Outcome fast = run(WaitMode::fast, c.spec, {});
    const Outcome classic = run(WaitMode::classic, c.spec, {});
    EXPECT_EQ(fast.reply, classic.reply) << c.name;
    EXPECT_EQ(fast.elapsed_us, c.budget_ms * 1000) << c.name;
    EXPECT_EQ(classic.elapsed_us, c.budget_ms * 1000) << c.name;
  }
}

TEST(FastWait, ReturnsAtOnceWhenThePortCloses) {
  VirtualClock clock;
  FakeSerialPort port(clock);
  port.open("pty");
  port.arrive(kListing.substr(0, 20), 5);
  Link link(port, clock);
  link.set_mode(WaitMode::fast);
  link.set_trace([&port](Direction, std::string_view) { port.hang_up(); });

  EXPECT_FALSE(link.await(upload_wait()).has_value());
  EXPECT_EQ(clock.now_us(), 5000);
}

}  // namespace
}  // namespace lg81xx
