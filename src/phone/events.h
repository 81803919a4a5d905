#pragma once
// What the protocol tells the window while a job runs: the traffic lamp and the progress
// of a transfer.
#include <cstdint>

namespace lg81xx {

class PhoneEvents {
 public:
  virtual ~PhoneEvents() = default;
  // Red while a request is on the line, green when its answer is in (or never came).
  virtual void lamp(bool red) = 0;
  // `done` of the `total` bytes of a transfer are across; `total` is never 0.
  virtual void progress(std::uint64_t done, std::uint64_t total) = 0;
};

}  // namespace lg81xx
