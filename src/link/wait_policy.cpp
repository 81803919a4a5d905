#include "link/wait_policy.h"

namespace lg81xx {
namespace {

// Response codes with the final bit set (90 continue, A0 success, C0.. client errors,
// D0.. server errors). 80..8F are request opcodes and F0..FF never start a response; FF
// in particular opens the phone's own command frames.
bool is_response_code(std::uint8_t b) { return b >= 0x90 && b <= 0xEF; }

}  // namespace

std::optional<std::size_t> announced_length(std::string_view reply) {
  if (reply.size() < 3 || !is_response_code(byte_at(reply, 0))) return std::nullopt;
  const std::size_t length = std::size_t{byte_at(reply, 1)} << 8 | byte_at(reply, 2);
  if (length < 3) return std::nullopt;  // no OBEX packet is shorter than its header
  return length;
}

void ReplyAssembler::add(std::string_view bytes, std::int64_t now_us) {
  if (bytes.empty()) return;
  bytes_.append(bytes);
  last_arrival_us_ = now_us;
}

bool ReplyAssembler::waits_for_length() const {
  const auto length = announced_length(bytes_);
  return length && bytes_.size() < *length;
}

std::optional<std::int64_t> ReplyAssembler::complete_at_us() const {
  if (bytes_.empty() || waits_for_length()) return std::nullopt;
  if (announced_length(bytes_) == bytes_.size()) return last_arrival_us_;
  return last_arrival_us_ + quiet_gap_us_;
}

bool ReplyAssembler::complete(std::int64_t now_us) const {
  const auto at = complete_at_us();
  return at && now_us >= *at;
}

}  // namespace lg81xx
