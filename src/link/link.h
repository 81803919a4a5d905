#pragma once
// The one place where the system talks to the port and waits. Every exchange writes one
// request and waits for its whole reply (wait_policy.h): the bytes that arrive are
// gathered until the reply is complete by its own framing, within the exchange's budget.
// The procedures give the numbers of their waits; the mode decides how the time is spent.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string_view>

#include "base/bytes.h"
#include "link/wait_policy.h"
#include "platform/clock.h"
#include "platform/serial_port.h"

namespace lg81xx {

struct WaitRule {
  std::int64_t interval_ms = 0;  // classic mode sleeps this long before each read
  int count = 1;                 // reads at that pace; their sum is the budget
  Framing framing = Framing::obex;
  // A 90 (continue) is passed over: the exchange waits for the final answer after it.
  bool final_only = false;
};

// Every wait gives a reply at least this long to come, however short its interval.
inline constexpr std::int64_t kLeastBudgetMs = 2000;
// Past its budget a reply still arriving may go on for up to this long ...
inline constexpr std::int64_t kMaxExtraMs = 10000;
// ... as long as no pause between its bytes is this long.
inline constexpr std::int64_t kStallMs = 1000;
// How long the waits sleep between two reads once the fixed pacing is over: short
// against a frame's line time (963 bytes take 84 ms at 115200 baud), long enough not to spin.
inline constexpr std::int64_t kFastPollUs = 250;
// A wait looks at a cancel at least this often, whatever its pacing ...
inline constexpr std::int64_t kCancelLookMs = 20;
// ... and once one has come, a reply still arriving may go on until its bytes pause this
// long; a phone that has sent nothing is not waited for at all.
inline constexpr std::int64_t kCancelGraceMs = 50;

enum class WaitMode {
  classic,  // sleep the full interval before every read, as the phones were first driven
  fast,     // end as soon as the reply is whole, within the same budget
};

enum class Direction {
  sent,
  received,
  dropped,  // bytes after a whole reply, or after a wait ended: nobody's reply
  note,     // not bytes but a line of text: what a job made of a reply it went on without
};
using TraceFn = std::function<void(Direction, std::string_view bytes)>;

class Link {
 public:
  Link(SerialPort& port, Clock& clock) : port_(port), clock_(clock) {}

  SerialPort& port() { return port_; }
  Clock& clock() { return clock_; }

  // Drops whatever stale bytes are in, then writes one whole frame. A closed port takes
  // nothing; a write that fails shows as the silence (or the lost line) after it.
  void send(const Bytes& frame);
  // Waits for a whole reply as `rule` says. Classic mode reads after every interval of
  // the rule and then, while no whole reply is in, goes on reading until the budget
  // (count x interval, at least kLeastBudgetMs) is spent; fast mode reads all along and
  // ends as soon as the reply is whole. A reply whose bytes are still coming when the
  // budget ends gets up to kMaxExtraMs more.
  Reply await(const WaitRule& rule);
  // Writes `frame` and waits for its reply; interrupted, with nothing written, once a
  // cancel has been requested. A cancel that comes during the wait ends it within
  // kCancelLookMs when nothing of the reply has come, and a reply under way at its first
  // pause of kCancelGraceMs: interrupted, unless the reply was whole by then.
  Reply exchange(const Bytes& frame, const WaitRule& rule);
  // The same with one read after `wait_ms`.
  Reply settle(const Bytes& frame, std::int64_t wait_ms, Framing framing = Framing::obex) {
    return exchange(frame, {wait_ms, 1, framing});
  }
  // A port opened anew: what came on the old one is forgotten.
  void forget_input() { stale_.clear(); }

  // Asks the job under way to stop after the exchange it is in: from any thread, and from
  // a signal handler (a lock-free store). The request stays until it is cleared.
  void request_cancel() { cancel_.store(true, std::memory_order_relaxed); }
  void clear_cancel() { cancel_.store(false, std::memory_order_relaxed); }
  bool cancel_requested() const { return cancel_.load(std::memory_order_relaxed); }

  void set_mode(WaitMode mode) { mode_ = mode; }
  WaitMode mode() const { return mode_; }
  void set_trace(TraceFn trace) { trace_ = std::move(trace); }
  // Writes a line of text among the frames of the trace.
  void note(std::string_view text) {
    if (trace_) trace_(Direction::note, text);
  }

 private:
  Reply finish(ReplyStatus status, Bytes bytes, Bytes rest);
  // await, and with `stoppable` ended by a cancel as exchange says.
  Reply wait(const WaitRule& rule, bool stoppable);
  // Sleeps until `until_us`, in steps that let a cancel be seen (when `stoppable`).
  void sleep_until(std::int64_t until_us, bool stoppable);

  SerialPort& port_;
  Clock& clock_;
  WaitMode mode_ = WaitMode::classic;
  TraceFn trace_;
  Bytes stale_;  // what came after the last whole reply
  std::atomic<bool> cancel_{false};
  static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");
};

}  // namespace lg81xx
