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
  // Checked between exchanges only: a request on the line is always waited for, so the
  // phone is never left with half an answer pending when the session is closed.
  if (cancel_requested()) return {ReplyStatus::interrupted, {}};
  send(frame);
  return await(rule);
}

Reply Link::finish(ReplyStatus status, Bytes bytes, Bytes rest) {
  if (trace_ && !bytes.empty()) trace_(Direction::received, bytes);
  stale_ = std::move(rest);
  return {status, std::move(bytes)};
}

Reply Link::await(const WaitRule& rule) {
  const bool classic = mode_ == WaitMode::classic;
  const std::int64_t start = clock_.now_us();
  const std::int64_t interval = rule.interval_ms * 1000;
  const std::int64_t deadline = start + std::max(std::max(rule.count, 0) * interval, kLeastBudgetMs * 1000);
  const std::int64_t last_chance = deadline + kMaxExtraMs * 1000;

  ReplyAssembler reply(rule.framing);
  int paced_reads = classic ? rule.count : 0;  // reads still to come after a whole interval
  std::int64_t wake = start;
  for (;;) {
    if (paced_reads > 0) {
      --paced_reads;
      clock_.sleep_us(interval);  // the fixed pacing: a whole interval before each read
    } else {
      clock_.sleep_us(std::max<std::int64_t>(wake - clock_.now_us(), 0));
    }
    const std::int64_t now = clock_.now_us();
    if (port_.is_open()) reply.add(port_.read_available(), now);
    while (auto whole = reply.take_whole()) {
      if (rule.final_only && code_of(*whole, rule.framing) == ReplyCode::more) continue;
      return finish(ReplyStatus::whole, std::move(*whole), reply.bytes());
    }
    if (!port_.is_open()) return finish(ReplyStatus::link_lost, reply.bytes(), {});
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
