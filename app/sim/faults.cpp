#include "faults.h"

#include <algorithm>
#include <array>

#include "base/hex_codec.h"
#include "replies.h"

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

Bytes refusal_for(Exchange exchange) {
  switch (exchange) {
    case Exchange::download_get: return kNoSuchFile;
    case Exchange::download_block: return kBlockRefused;
    default: return obex_response(kForbidden);
  }
}

Bytes busy_reply_for(Exchange exchange) {
  // The download's busy reply is 5 bytes, which the client answers with a keep-alive and
  // the same GET again; elsewhere the plain OBEX "service unavailable".
  return exchange == Exchange::download_get ? kBusyDownload : obex_response(kServiceUnavailable);
}

bool FaultInjector::busy(Exchange exchange) {
  int* left = exchange == Exchange::listing        ? &faults_.busy_listings
              : exchange == Exchange::upload       ? &faults_.busy_uploads
              : exchange == Exchange::download_get ? &faults_.busy_downloads
                                                   : nullptr;
  if (left == nullptr || *left <= 0 || seen_ < faults_.from) return false;
  --*left;
  return true;
}

Bytes FaultInjector::spoil(const Bytes& reply, Exchange exchange) const {
  switch (faults_.fault) {
    case ReplyFault::none: return reply;
    case ReplyFault::silence:
    case ReplyFault::hang_up: return {};
    case ReplyFault::garbage: return garbage(reply.size());
    case ReplyFault::wrong_code: {
      if (reply.empty()) return obex_response(kBadRequest);
      Bytes out = reply;
      out[0] = as_char(kBadRequest);
      return out;
    }
    case ReplyFault::truncated: return reply.substr(0, reply.size() / 2);
    case ReplyFault::overlong: return reply + garbage(kOverlongExtra);
    case ReplyFault::refusal: return refusal_for(exchange);
  }
  return reply;
}

Delivery FaultInjector::deliver(const Bytes& reply, Exchange exchange) const {
  Delivery d;
  Bytes out = reply;
  if (faults_.silent_after >= 0 && seen_ > faults_.silent_after) out.clear();
  if (faults_.fault_at == seen_) {
    out = spoil(reply, exchange);
    d.hang_up = faults_.fault == ReplyFault::hang_up;
  }
  if (out.empty()) return d;
  const bool timed = seen_ >= faults_.from;
  const int pieces = timed ? faults_.pieces : 1;
  const std::size_t n = static_cast<std::size_t>(std::clamp(pieces, 1, static_cast<int>(out.size())));
  const std::size_t step = out.size() / n;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t from = i * step;
    const std::size_t len = i + 1 == n ? out.size() - from : step;
    const int after = !timed ? 0 : i == 0 ? faults_.delay_ms : faults_.piece_gap_ms;
    d.pieces.push_back({after, out.substr(from, len)});
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
