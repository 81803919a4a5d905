#pragma once
// Faults the virtual phone can be told to show, so that the client's handling of a bad
// line or a confused phone can be tried: silence, replies spoiled in one of several ways,
// replies that come late or in pieces, and a line that is pulled in the middle of a job.
//
// Requests are counted from the moment the faults are set (1 = the next request), so a
// test can connect cleanly, then set the faults and run one job.
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
  refusal,     // a refusal: 49 00 0F to a download's GET, C3 00 05 FF 7E otherwise
  hang_up,     // no reply, and the line is pulled
};

struct Faults {
  int silent_after = -1;  // requests answered before the phone stops answering (-1: never)
  int fault_at = 0;       // the request whose reply `fault` spoils (0: none)
  ReplyFault fault = ReplyFault::none;
  int pieces = 1;         // each reply arrives in this many pieces
  int piece_gap_ms = 0;   // time between two pieces
  int delay_ms = 0;       // time before each reply's first piece
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

  // `reply` is the phone's answer to the next request; `opens_download` tells a download's
  // GET from other requests, which are refused differently.
  Delivery deliver(const Bytes& reply, bool opens_download);
  const Faults& faults() const { return faults_; }
  int requests_seen() const { return seen_; }

 private:
  Bytes spoil(const Bytes& reply, bool opens_download) const;

  Faults faults_;
  int seen_ = 0;
};

// "silence", "garbage", ... as the command line spells them.
std::optional<ReplyFault> reply_fault_from(std::string_view name);
std::string_view reply_fault_name(ReplyFault fault);

}  // namespace lg81xx::sim
