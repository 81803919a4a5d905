#include "link/link.h"

#include <algorithm>

namespace lg81xx {

void Link::send(const Bytes& frame) {
  if (!port_.is_open()) return;
  // A reply that came late, or bytes that followed one, must not be taken for the answer
  // to this request.
  stale_ += port_.read_available();
  if (trace_ && !stale_.empty()) trace_(Direction::dropped, stale_);
  stale_.clear();
  if (trace_) trace_(Direction::sent, frame);
  port_.write(frame);
}

Reply Link::exchange(const Bytes& frame, const WaitRule& rule) {
  if (cancel_requested()) return {ReplyStatus::interrupted, {}};
  send(frame);
  return wait(rule, true);
}

Reply Link::finish(ReplyStatus status, Bytes bytes, Bytes rest) {
  if (trace_ && !bytes.empty()) trace_(Direction::received, bytes);
  stale_ = std::move(rest);
  return {status, std::move(bytes)};
}

Reply Link::await(const WaitRule& rule) { return wait(rule, false); }

void Link::sleep_until(std::int64_t until_us, bool stoppable) {
  for (std::int64_t now = clock_.now_us(); now < until_us; now = clock_.now_us()) {
    if (stoppable && cancel_requested()) return;
    clock_.sleep_us(stoppable ? std::min(until_us - now, kCancelLookMs * 1000) : until_us - now);
  }
}

Reply Link::wait(const WaitRule& rule, bool stoppable) {
  const bool classic = mode_ == WaitMode::classic;
  const std::int64_t start = clock_.now_us();
  const std::int64_t interval = rule.interval_ms * 1000;
  const std::int64_t deadline = start + std::max(std::max(rule.count, 0) * interval, kLeastBudgetMs * 1000);
  const std::int64_t last_chance = deadline + kMaxExtraMs * 1000;

  ReplyAssembler reply(rule.framing);
  int paced_reads = classic ? rule.count : 0;  // reads still to come after a whole interval
  std::int64_t wake = start;
  std::int64_t cancelled_at = -1;  // when the wait saw a cancel
  for (;;) {
    const bool look = stoppable && cancelled_at < 0;  // a cancel seen already ends no sleep
    if (paced_reads > 0 && cancelled_at < 0) {
      --paced_reads;
      sleep_until(clock_.now_us() + interval, look);  // the fixed pacing: a whole interval before each read
    } else {
      sleep_until(wake, look);
    }
    const std::int64_t now = clock_.now_us();
    if (port_.is_open()) reply.add(port_.read_available(), now);
    while (auto whole = reply.take_whole()) {
      if (rule.final_only && code_of(*whole, rule.framing) == ReplyCode::more) continue;
      return finish(ReplyStatus::whole, std::move(*whole), reply.bytes());
    }
    if (!port_.is_open()) return finish(ReplyStatus::link_lost, reply.bytes(), {});
    if (stoppable && cancel_requested()) {
      // Nobody waits for a silent phone; a reply on its way may end while it keeps coming.
      if (cancelled_at < 0) cancelled_at = now;
      const std::int64_t quiet_since = std::max(cancelled_at, reply.last_arrival_us());
      if (reply.empty() || now - quiet_since >= kCancelGraceMs * 1000)
        return finish(ReplyStatus::interrupted, reply.bytes(), {});
    }
    if (now >= deadline) {
      if (reply.empty()) return finish(ReplyStatus::silence, {}, {});
      const bool still_coming = now - reply.last_arrival_us() < kStallMs * 1000 && now < last_chance;
      if (!still_coming) return finish(ReplyStatus::incomplete, reply.bytes(), {});
    }
    wake = now + kFastPollUs;
    if (now < deadline) wake = std::min(wake, deadline);
  }
}

}  // namespace lg81xx
