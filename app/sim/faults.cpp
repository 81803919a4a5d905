#include "faults.h"

#include <algorithm>
#include <array>

#include "base/hex_codec.h"

namespace lg81xx::sim {
namespace {

constexpr std::size_t kOverlongExtra = 3000;
constexpr std::array<std::string_view, 8> kNames{"none",      "silence",  "garbage", "wrong-code",
                                                 "truncated", "overlong", "refusal", "hang-up"};

// Bytes without meaning: never A0 00, never 49 00 0F, no 7E, so no reader takes them for
// an acknowledgement, a refusal or the end of a frame.
Bytes garbage(std::size_t size) {
  Bytes out;
  std::uint32_t state = 0x2545F491u;
  for (std::size_t i = 0; i < std::max<std::size_t>(size, 8); ++i) {
    state = state * 1664525u + 1013904223u;
    auto b = static_cast<unsigned>(state >> 24);
    if (b == 0x7E || b == 0xA0 || b == 0x49) b = 0x5A;
    out.push_back(as_char(b));
  }
  return out;
}

}  // namespace

Bytes FaultInjector::spoil(const Bytes& reply, bool opens_download) const {
  switch (faults_.fault) {
    case ReplyFault::none:
      return reply;
    case ReplyFault::silence:
    case ReplyFault::hang_up:
      return {};
    case ReplyFault::garbage:
      return garbage(reply.size());
    case ReplyFault::wrong_code: {
      if (reply.empty()) return hex_to_bin("C00003");
      Bytes out = reply;
      out[0] = as_char(0xC0);
      return out;
    }
    case ReplyFault::truncated:
      return reply.substr(0, reply.size() / 2);
    case ReplyFault::overlong:
      return reply + garbage(kOverlongExtra);
    case ReplyFault::refusal:
      return hex_to_bin(opens_download ? "49000F" : "C30005FF7E");
  }
  return reply;
}

Delivery FaultInjector::deliver(const Bytes& reply, bool opens_download) {
  ++seen_;
  Delivery d;
  Bytes out = reply;
  if (faults_.silent_after >= 0 && seen_ > faults_.silent_after) out.clear();
  if (faults_.fault_at == seen_) {
    out = spoil(out.empty() ? reply : out, opens_download);
    d.hang_up = faults_.fault == ReplyFault::hang_up;
  }
  if (out.empty()) return d;
  const std::size_t n = static_cast<std::size_t>(std::clamp(faults_.pieces, 1, static_cast<int>(out.size())));
  const std::size_t step = out.size() / n;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t from = i * step;
    const std::size_t len = i + 1 == n ? out.size() - from : step;
    d.pieces.push_back({i == 0 ? faults_.delay_ms : faults_.piece_gap_ms, out.substr(from, len)});
  }
  return d;
}

std::optional<ReplyFault> reply_fault_from(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i)
    if (kNames[i] == name) return static_cast<ReplyFault>(i);
  return std::nullopt;
}

std::string_view reply_fault_name(ReplyFault fault) { return kNames.at(static_cast<std::size_t>(fault)); }

}  // namespace lg81xx::sim
