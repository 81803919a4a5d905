#include "stop_signals.h"

#include <pthread.h>

#include <chrono>

namespace lg81xx::cli {

StopSignals::StopSignals() {
  sigemptyset(&signals_);
  for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals_, s);
  pthread_sigmask(SIG_BLOCK, &signals_, &previous_);
  watcher_ = std::thread([this] {
    int signal = 0;
    sigwait(&signals_, &signal);
    std::lock_guard lock(mutex_);
    if (!closing_) received_ = signal;
    changed_.notify_all();
  });
}

StopSignals::~StopSignals() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  pthread_kill(watcher_.native_handle(), SIGTERM);  // a watcher still waiting takes it and ends
  watcher_.join();
  pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

int StopSignals::received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

bool StopSignals::wait_us(std::int64_t us) {
  std::unique_lock lock(mutex_);
  return !changed_.wait_for(lock, std::chrono::microseconds(us), [this] { return received_ != 0; });
}

void StoppableClock::sleep_us(std::int64_t us) {
  if (!signals_.wait_us(us)) throw Stopped{signals_.received()};
}

}  // namespace lg81xx::cli
