#include "request_framer.h"

#include <algorithm>
#include <utility>

#include "link/request_frame.h"
#include "request.h"

namespace lg81xx::sim {

std::vector<Bytes> RequestFramer::add(std::string_view bytes) {
  std::vector<Bytes> units;
  if (bytes.empty()) return units;
  if (pending_.empty()) first_byte_ms_ = clock_->now_ms();
  pending_.append(bytes);
  while (const std::size_t n = complete_unit(pending_)) {
    units.push_back(pending_.substr(0, n));
    pending_.erase(0, n);
    first_byte_ms_ = clock_->now_ms();  // what is left came with these bytes
  }
  return units;
}

Bytes RequestFramer::expire() {
  if (pending_.empty() || clock_->now_ms() - first_byte_ms_ <= allowance_ms()) return {};
  return take_pending();
}

Bytes RequestFramer::take_pending() { return std::exchange(pending_, Bytes{}); }

std::int64_t RequestFramer::allowance_ms() const {
  if (baud_ <= 0) return kRequestPatienceMs;
  // On a paced line a long packet takes its time: 10 bits a byte of what it announces, up
  // to the largest packet the phone takes.
  const std::size_t announced = pending_.size() >= 3 && pending_.substr(0, 2) != "AT" ? get_be16(pending_, 1) : 0;
  const std::size_t bytes = std::min(std::max(announced, pending_.size()), kLargestPacket);
  return kRequestPatienceMs + static_cast<std::int64_t>(bytes) * 10 * 1000 / baud_;
}

}  // namespace lg81xx::sim
