#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace lg81xx {

void SteadyClock::sleep_ms(std::int64_t ms) { sleep_us(ms * 1000); }

std::int64_t SteadyClock::now_ms() const { return now_us() / 1000; }

void SteadyClock::sleep_us(std::int64_t us) {
  if (us > 0) std::this_thread::sleep_for(std::chrono::microseconds(us));
}

std::int64_t SteadyClock::now_us() const {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace lg81xx
