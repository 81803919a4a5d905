#pragma once
// A scripted serial port on virtual time. Each written frame is recorded and handed to
// `on_write`, which schedules what the "phone" sends back and when.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/serial_port.h"

namespace lg81xx::testing {

class FakeSerialPort final : public SerialPort {
 public:
  explicit FakeSerialPort(VirtualClock& clock) : clock_(clock) {}

  bool open(const std::string&) override {
    open_ = can_open;
    return open_;
  }
  void close() override { open_ = false; }
  bool is_open() const override { return open_; }
  bool write(const Bytes& frame) override {
    if (!open_) {
      writes_while_closed++;
      return false;
    }
    written.push_back(frame);
    if (on_write) on_write(frame);
    return true;
  }
  Bytes read_available() override {
    Bytes out;
    while (!pending_.empty() && pending_.front().at_us <= clock_.now_us()) {
      out += pending_.front().data;
      pending_.pop_front();
    }
    return out;
  }
  std::string error_text() const override { return can_open ? "" : "no such device"; }
  PortFailure open_failure() const override { return failure; }

  // `data` arrives `after_ms` from now (after anything already scheduled).
  void arrive(Bytes data, std::int64_t after_ms = 0) {
    std::int64_t at = clock_.now_us() + after_ms * 1000;
    if (!pending_.empty() && pending_.back().at_us > at) at = pending_.back().at_us;
    pending_.push_back({at, std::move(data)});
  }
  void hang_up() { open_ = false; }

  std::function<void(const Bytes&)> on_write;
  std::vector<Bytes> written;
  bool can_open = true;
  PortFailure failure = PortFailure::not_found;  // when it cannot open
  int writes_while_closed = 0;

 private:
  struct Pending {
    std::int64_t at_us;
    Bytes data;
  };
  VirtualClock& clock_;
  std::deque<Pending> pending_;
  bool open_ = false;
};

}  // namespace lg81xx::testing
