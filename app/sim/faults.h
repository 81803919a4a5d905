#pragma once
// Faults the virtual phone can be told to show, so that the client's handling of a bad
// line or a confused phone can be tried: silence, replies spoiled in one of several ways,
// replies that come late or in pieces, a busy phone, and a line that is pulled in the
// middle of a job.
//
// Requests are counted from the moment the faults are set (1 = the next request), so a
// test can connect cleanly, then set the faults and run one job; `from` does the same for
// a phone whose faults are set before anyone connects.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/bytes.h"

namespace lg81xx::sim {

// What happens to the reply of the request `Faults::fault_at`.
enum class ReplyFault {
  none,
  silence,     // no reply to that request only
  garbage,     // bytes that mean nothing, as long as the reply
  wrong_code,  // the reply with its response code changed to C0 (bad request)
  truncated,   // only the first half of the reply
  overlong,    // the reply followed by 3000 bytes it does not announce
  refusal,     // the refusal of the exchange (see refusal_for)
  hang_up,     // no reply, and the line is pulled
};

// The exchange a request belongs to: a refusal or a "busy" takes the form of the
// exchange's own replies.
enum class Exchange {
  session,         // AT commands, CONNECT, session commands, the root list
  listing,         // 20 83
  upload,          // write commands and their frames, the install's requests
  download_get,    // 20 86
  download_block,  // the empty acknowledgement frame and the continuation request 20 A0
};

struct Faults {
  int silent_after = -1;  // requests answered before the phone stops answering (-1: never)
  int fault_at = 0;       // the request whose reply `fault` spoils (0: none)
  ReplyFault fault = ReplyFault::none;
  int pieces = 1;        // each reply arrives in this many pieces
  int piece_gap_ms = 0;  // time between two pieces
  int delay_ms = 0;      // time before each reply's first piece
  int from = 1;          // the first request that pieces, delays and busy replies apply to
  // The next so many listings, uploads (their first frame) and downloads (their GET) are
  // answered "busy"; the phone starts none of them.
  int busy_listings = 0;
  int busy_uploads = 0;
  int busy_downloads = 0;
};

// One piece of a reply: `bytes` become readable `after_ms` after the previous piece (the
// first: after the request).
struct Piece {
  std::int64_t after_ms = 0;
  Bytes bytes;
};

// How the line delivers one reply.
struct Delivery {
  std::vector<Piece> pieces;
  bool hang_up = false;  // the line goes dead once the pieces are out
};

class FaultInjector {
 public:
  FaultInjector() = default;
  explicit FaultInjector(const Faults& faults) : faults_(faults) {}

  // Counts a request that arrived; call before it is answered.
  void next_request() { ++seen_; }
  // True, and one fewer left, when the current request, which would start `exchange`,
  // is to be answered busy.
  bool busy(Exchange exchange);
  // `reply` is the phone's answer to the current request.
  Delivery deliver(const Bytes& reply, Exchange exchange) const;
  const Faults& faults() const { return faults_; }

 private:
  Bytes spoil(const Bytes& reply, Exchange exchange) const;

  Faults faults_;
  int seen_ = 0;
};

// What a phone answers when it refuses, or is busy for, a request of `exchange`.
Bytes refusal_for(Exchange exchange);
Bytes busy_reply_for(Exchange exchange);

// "silence", "garbage", ... as the command line spells them.
std::optional<ReplyFault> reply_fault_from(std::string_view name);
std::string_view reply_fault_name(ReplyFault fault);

}  // namespace lg81xx::sim
