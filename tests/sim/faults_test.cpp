// The fault injector's faults after which a job still ends well: the jobs cannot tell
// whether they happened, so here they are checked to happen, and only where asked. (Faults
// that spoil a job show in the outcomes of the fault matrix.)
#include <gtest/gtest.h>

#include "faults.h"

namespace lg81xx::testing {
namespace {

using sim::Exchange;
using sim::Faults;
using sim::ReplyFault;

const Bytes kReply("\xA0\x00\x08" "abcde", 8);

// The deliveries of `count` requests, each answered kReply.
std::vector<sim::Delivery> run(const Faults& faults, int count) {
  sim::FaultInjector injector(faults);
  std::vector<sim::Delivery> out;
  for (int i = 0; i < count; ++i) {
    injector.next_request();
    out.push_back(injector.deliver(kReply, Exchange::session));
  }
  return out;
}

Bytes joined(const sim::Delivery& d) {
  Bytes out;
  for (const auto& p : d.pieces) out += p.bytes;
  return out;
}

// Pieces and delays leave the requests before `from` alone.
TEST(FaultInjector, TimingsStartAtTheChosenRequest) {
  const auto d = run({.pieces = 3, .piece_gap_ms = 20, .delay_ms = 100, .from = 2}, 2);
  ASSERT_EQ(d[0].pieces.size(), 1u);
  EXPECT_EQ(d[0].pieces[0].after_ms, 0);
  ASSERT_EQ(d[1].pieces.size(), 3u);
  EXPECT_EQ(d[1].pieces[0].after_ms, 100);
  EXPECT_EQ(d[1].pieces[2].after_ms, 20);
  EXPECT_EQ(joined(d[1]), kReply);
}

// An overlong reply is the right one with more after it, and only at its request.
TEST(FaultInjector, OverlongReplyKeepsTheReplyAtItsStart) {
  const auto d = run({.fault_at = 2, .fault = ReplyFault::overlong}, 3);
  EXPECT_EQ(joined(d[0]), kReply);
  EXPECT_GT(joined(d[1]).size(), 3000u);
  EXPECT_EQ(joined(d[1]).substr(0, kReply.size()), kReply);
  EXPECT_EQ(joined(d[2]), kReply);
}

}  // namespace
}  // namespace lg81xx::testing
