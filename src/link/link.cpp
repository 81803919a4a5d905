#include "link/link.h"

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
  // Until the reply-driven policy lands, fast mode waits like classic mode.
  return await_classic(spec);
}

}  // namespace lg81xx
