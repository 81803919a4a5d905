#include "link/link.h"

#include <algorithm>

namespace lg81xx {

bool is_acknowledgement(std::string_view reply) {
  return reply.size() >= 2 && byte_at(reply, 0) == 0xA0 && byte_at(reply, 1) == 0x00;
}

std::function<bool(std::string_view)> at_least(std::size_t bytes) {
  return [bytes](std::string_view reply) { return reply.size() >= bytes; };
}

bool Link::send(const Bytes& frame) {
  if (!port_.is_open()) return false;
  if (trace_) trace_(Direction::sent, frame);
  return port_.write(frame);
}

Bytes Link::read() {
  if (!port_.is_open()) return {};
  Bytes got = port_.read_available();
  if (trace_ && !got.empty()) trace_(Direction::received, got);
  return got;
}

std::optional<Bytes> Link::await(const WaitSpec& spec) {
  return mode_ == WaitMode::fast ? await_fast(spec) : await_classic(spec);
}

Bytes Link::settle(const Bytes& frame, std::int64_t wait_ms) {
  send(frame);
  return await({wait_ms, 1, {}}).value_or(Bytes{});
}

std::optional<Bytes> Link::await_classic(const WaitSpec& spec) {
  for (int i = 0; i < spec.count; ++i) {
    clock_.sleep_ms(spec.interval_ms);
    Bytes got = read();  // each read replaces the previous one
    if (!spec.accept || spec.accept(got)) return got;
    if (!port_.is_open()) return std::nullopt;
  }
  return std::nullopt;
}

std::optional<Bytes> Link::await_fast(const WaitSpec& spec) {
  // The same budget as classic mode: its last read comes count x interval after the send.
  if (spec.count <= 0) return std::nullopt;
  const std::int64_t deadline = clock_.now_us() + spec.count * spec.interval_ms * 1000;
  const auto wanted = [&spec](const Bytes& reply) { return !spec.accept || spec.accept(reply); };
  ReplyAssembler reply(quiet_gap_us_);
  for (;;) {
    reply.add(read(), clock_.now_us());
    const std::int64_t now = clock_.now_us();
    if (reply.complete(now)) {
      if (wanted(reply.bytes())) return reply.bytes();
      reply.drop();  // as in classic mode, the next reply replaces one that failed the test
    }
    // Out of time, or nothing more can come: judge what is in hand like a classic last read.
    if (now >= deadline || !port_.is_open()) {
      if (wanted(reply.bytes())) return reply.bytes();
      return std::nullopt;
    }
    std::int64_t wake = std::min(deadline, now + kFastPollUs);
    if (const auto done = reply.complete_at_us()) wake = std::min(wake, *done);
    clock_.sleep_us(std::max<std::int64_t>(wake - now, 1));
  }
}

}  // namespace lg81xx
