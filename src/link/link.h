#pragma once
// The one place where the system talks to the port and waits. Every exchange is
// "write once, then sleep and read up to N times until the reply passes a test"; the
// procedures describe the numbers, the wait policy decides how the time is spent.
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "base/bytes.h"
#include "link/wait_policy.h"
#include "platform/clock.h"
#include "platform/serial_port.h"

namespace lg81xx {

struct WaitSpec {
  std::int64_t interval_ms = 0;  // sleep before each read
  int count = 1;                 // reads at most
  std::function<bool(std::string_view)> accept;  // empty: any read, even an empty one
};

// Acceptance tests shared by the procedures.
bool is_acknowledgement(std::string_view reply);  // begins A0 00
std::function<bool(std::string_view)> at_least(std::size_t bytes);

enum class WaitMode {
  classic,  // sleep the full interval before every read, as the phones were first driven
  fast,     // return as soon as a complete reply is there, within the same budget
};

enum class Direction { sent, received };
using TraceFn = std::function<void(Direction, std::string_view bytes)>;

class Link {
 public:
  Link(SerialPort& port, Clock& clock) : port_(port), clock_(clock) {}

  SerialPort& port() { return port_; }
  Clock& clock() { return clock_; }

  // Writes one whole frame. False when the port is closed or the write failed.
  bool send(const Bytes& frame);
  // Everything received so far; never waits.
  Bytes read();
  // Waits for a reply as `spec` says. Returns the read that passed the test, or nothing
  // when the budget ran out (or the port closed under us).
  std::optional<Bytes> await(const WaitSpec& spec);
  // Writes `frame`, then waits `wait_ms` and returns whatever arrived (possibly nothing).
  Bytes settle(const Bytes& frame, std::int64_t wait_ms);
  // A plain pause between steps of a procedure.
  void pause(std::int64_t ms) { clock_.sleep_ms(ms); }

  void set_mode(WaitMode mode) { mode_ = mode; }
  WaitMode mode() const { return mode_; }
  void set_trace(TraceFn trace) { trace_ = std::move(trace); }
  // Fast mode: how long the line must stay quiet before a reply without a usable length
  // (AT text, short refusals) counts as complete.
  void set_quiet_gap_us(std::int64_t us) { quiet_gap_us_ = us; }
  std::int64_t quiet_gap_us() const { return quiet_gap_us_; }

 private:
  std::optional<Bytes> await_classic(const WaitSpec& spec);
  std::optional<Bytes> await_fast(const WaitSpec& spec);

  SerialPort& port_;
  Clock& clock_;
  WaitMode mode_ = WaitMode::classic;
  std::int64_t quiet_gap_us_ = kDefaultQuietGapUs;
  TraceFn trace_;
};

}  // namespace lg81xx
