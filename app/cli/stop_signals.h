#pragma once
// Ctrl-C (SIGINT), SIGTERM and SIGHUP for a command that leaves temporary files behind
// when it is killed: the signals are taken by a watcher thread instead, and the command's
// clock throws at its next wait, so that the command unwinds and its destructors clean up.
#include <signal.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/clock.h"

namespace lg81xx::cli {

// Thrown by StoppableClock once a stop signal has come.
struct Stopped {
  int signal;
};

class StopSignals {
 public:
  // Blocks the signals in this thread and in the threads it starts from now on: make it
  // before any other thread.
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The signal that came, or 0.
  int received() const;
  // Waits `us` microseconds; false at once when a signal has come or comes meanwhile.
  bool wait_us(std::int64_t us);

 private:
  sigset_t signals_{};
  sigset_t previous_{};
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  int received_ = 0;
  bool closing_ = false;
  std::thread watcher_;
};

// Steady time whose waits end in Stopped once a stop signal has come.
class StoppableClock final : public Clock {
 public:
  explicit StoppableClock(StopSignals& signals) : signals_(signals) {}
  void sleep_ms(std::int64_t ms) override { sleep_us(ms * 1000); }
  std::int64_t now_ms() const override { return steady_.now_ms(); }
  void sleep_us(std::int64_t us) override;
  std::int64_t now_us() const override { return steady_.now_us(); }

 private:
  StopSignals& signals_;
  SteadyClock steady_;
};

}  // namespace lg81xx::cli
