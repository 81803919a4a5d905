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

  bool open(const std::string& device) override {
    opened_device = device;
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
    write_times_ms.push_back(clock_.now_ms());
    if (on_write) on_write(frame);
    return true;
  }
  Bytes read_available() override {
    Bytes out;
    while (!pending_.empty() && pending_.front().at_us <= clock_.now_us()) {
      out += pending_.front().data;
      pending_.pop_front();
    }
    if (hang_up_at_us_ >= 0 && clock_.now_us() >= hang_up_at_us_) open_ = false;
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
  // The line goes away `after_ms` from now, once what has arrived by then is read.
  void hang_up_after(std::int64_t after_ms) { hang_up_at_us_ = clock_.now_us() + after_ms * 1000; }

  std::function<void(const Bytes&)> on_write;
  std::vector<Bytes> written;
  std::vector<std::int64_t> write_times_ms;
  std::string opened_device;
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
  std::int64_t hang_up_at_us_ = -1;
  bool open_ = false;
};

}  // namespace lg81xx::testing
