// The fault injector on its own: which requests it touches, where the pieces go, and what
// a spoiled, refused or busy reply looks like for each kind of exchange.
#include <gtest/gtest.h>

#include <functional>

#include "faults.h"

namespace lg81xx::testing {
namespace {

using sim::Exchange;
using sim::Faults;
using sim::ReplyFault;

const Bytes kReply("\xA0\x00\x08" "abcde", 8);

// The deliveries of `count` requests, each answered kReply in `exchange`.
std::vector<sim::Delivery> run(const Faults& faults, int count, Exchange exchange = Exchange::session) {
  sim::FaultInjector injector(faults);
  std::vector<sim::Delivery> out;
  for (int i = 0; i < count; ++i) {
    injector.next_request();
    out.push_back(injector.deliver(kReply, exchange));
  }
  return out;
}

Bytes joined(const sim::Delivery& d) {
  Bytes out;
  for (const auto& p : d.pieces) out += p.bytes;
  return out;
}

// Pieces, delays and busy replies leave the requests before `from` alone.
TEST(FaultInjector, TimingsAndBusyRepliesStartAtTheChosenRequest) {
  const auto d = run({.pieces = 3, .piece_gap_ms = 20, .delay_ms = 100, .from = 2}, 2);
  ASSERT_EQ(d[0].pieces.size(), 1u);
  EXPECT_EQ(d[0].pieces[0].after_ms, 0);
  ASSERT_EQ(d[1].pieces.size(), 3u);
  EXPECT_EQ(d[1].pieces[0].after_ms, 100);
  EXPECT_EQ(d[1].pieces[2].after_ms, 20);
  EXPECT_EQ(joined(d[1]), kReply);

  sim::FaultInjector busy({.from = 2, .busy_listings = 1});
  busy.next_request();
  EXPECT_FALSE(busy.busy(Exchange::listing));
  busy.next_request();
  EXPECT_FALSE(busy.busy(Exchange::download_get));
  EXPECT_TRUE(busy.busy(Exchange::listing));
  EXPECT_FALSE(busy.busy(Exchange::listing));
}

TEST(FaultInjector, SpoilsOnlyItsRequestInTheFormOfTheExchange) {
  struct Row {
    ReplyFault fault;
    Exchange exchange;
    std::function<bool(const Bytes&)> check;
  };
  const Row rows[] = {
      {ReplyFault::truncated, Exchange::session, [](const Bytes& b) { return b == kReply.substr(0, 4); }},
      {ReplyFault::overlong, Exchange::session, [](const Bytes& b) { return b.size() > 3000 && b.rfind(kReply, 0) == 0; }},
      {ReplyFault::wrong_code, Exchange::listing,
       [](const Bytes& b) { return b[0] == '\xC0' && b.substr(1) == kReply.substr(1); }},
      {ReplyFault::garbage, Exchange::session,
       [](const Bytes& b) { return b.size() == 8 && b.find('\x7E') == Bytes::npos && b.rfind("\xA0", 0) != 0; }},
      {ReplyFault::refusal, Exchange::download_get,
       [](const Bytes& b) { return b.size() == 15 && b.rfind(Bytes("\x49\x00\x0F", 3), 0) == 0; }},
      {ReplyFault::refusal, Exchange::download_block, [](const Bytes& b) { return b == Bytes("\xC3\x00\x05\xFF\x7E", 5); }},
      {ReplyFault::refusal, Exchange::listing, [](const Bytes& b) { return b == Bytes("\xC3\x00\x03", 3); }},
      {ReplyFault::silence, Exchange::session, [](const Bytes& b) { return b.empty(); }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(sim::reply_fault_name(r.fault));
    const auto d = run({.fault_at = 2, .fault = r.fault}, 3, r.exchange);
    EXPECT_EQ(joined(d[0]), kReply);
    EXPECT_TRUE(r.check(joined(d[1])));
    EXPECT_EQ(joined(d[2]), kReply);
  }
  const auto hang = run({.fault_at = 1, .fault = ReplyFault::hang_up}, 1);
  EXPECT_TRUE(hang[0].hang_up && hang[0].pieces.empty());
}

}  // namespace
}  // namespace lg81xx::testing
