#pragma once
// Cuts what the client writes into requests (complete_unit: an AT command by its CR, a
// packet by its length) and never waits for ever: a request still incomplete a second
// after its first byte came (plus, on a paced line, the time its announced length takes, up
// to the largest packet the phone takes) is given up, so no length field can hold the phone.
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "platform/clock.h"

namespace lg81xx::sim {

inline constexpr std::int64_t kRequestPatienceMs = 1000;
// The largest packet the phone takes, as its CONNECT answer says.
inline constexpr std::size_t kLargestPacket = 1024;

class RequestFramer {
 public:
  explicit RequestFramer(const Clock& clock) : clock_(&clock) {}

  void set_clock(const Clock& clock) { clock_ = &clock; }
  // The line's speed, 0 when bytes move as fast as the terminal goes.
  void set_baud(int baud) { baud_ = baud; }

  // Bytes that arrived now; the requests they complete, in order.
  std::vector<Bytes> add(std::string_view bytes);
  // The incomplete request, taken out, once it has waited longer than it may; empty
  // otherwise. Call it before add() and whenever the line is quiet.
  Bytes expire();
  // Everything received that makes no request yet, taken out.
  Bytes take_pending();
  bool empty() const { return pending_.empty(); }

 private:
  std::int64_t allowance_ms() const;

  const Clock* clock_;
  int baud_ = 0;
  Bytes pending_;
  std::int64_t first_byte_ms_ = 0;  // when the first byte of pending_ came
};

}  // namespace lg81xx::sim
