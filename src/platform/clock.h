#pragma once
// All waiting of the system goes through a Clock, so tests run on virtual time.
#include <cstdint>

namespace lg81xx {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void sleep_ms(std::int64_t ms) = 0;
  // Milliseconds since an arbitrary start; only differences mean anything.
  virtual std::int64_t now_ms() const = 0;
  // Microsecond resolution for the short quiet gaps of the fast waiting policy.
  virtual void sleep_us(std::int64_t us) = 0;
  virtual std::int64_t now_us() const = 0;
};

class SteadyClock final : public Clock {
 public:
  void sleep_ms(std::int64_t ms) override;
  std::int64_t now_ms() const override;
  void sleep_us(std::int64_t us) override;
  std::int64_t now_us() const override;
};

// "during" a sleep.
class VirtualClock final : public Clock {
 public:
  void sleep_ms(std::int64_t ms) override { sleep_us(ms * 1000); }
  std::int64_t now_ms() const override { return now_us_ / 1000; }
  void sleep_us(std::int64_t us) override { now_us_ += us; }
  std::int64_t now_us() const override { return now_us_; }
  void advance_ms(std::int64_t ms) { now_us_ += ms * 1000; }

 private:
  std::int64_t now_us_ = 0;
};

}  // namespace lg81xx
