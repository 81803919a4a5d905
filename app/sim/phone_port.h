#pragma once
// The virtual phone as an in-process serial port: what is written goes straight to the
// phone. No pseudo-terminal, no threads: the handler tests use it with a virtual clock.
// Without a clock its answers can be read back at once; with one, each reply piece
// becomes readable when the phone's faults (faults.h) say, on that clock, and a fault
// that pulls the line closes the port as a hang-up would.
#include <deque>

#include "platform/clock.h"
#include "platform/serial_port.h"
#include "virtual_phone.h"

namespace lg81xx::sim {

class PhonePort final : public SerialPort {
 public:
  // The phone keeps the port's time.
  explicit PhonePort(VirtualPhone& phone, const Clock* clock = nullptr) : phone_(phone), clock_(clock) {
    if (clock_) phone_.set_clock(*clock_);
  }

  bool open(const std::string& device) override {
    device_ = device;
    open_ = true;
    dead_at_us_ = -1;
    incoming_.clear();  // a port opened anew starts with an empty input buffer
    last_at_us_ = 0;
    return true;
  }
  void close() override { open_ = false; }
  bool is_open() const override {
    check_line();
    return open_;
  }
  bool write(const Bytes& frame) override {
    check_line();
    if (!open_) return false;
    written_.push_back(frame);
    std::int64_t at = now_us();
    for (auto& d : phone_.respond(frame)) {
      for (auto& piece : d.pieces) {
        if (clock_) at = std::max(at + piece.after_ms * 1000, last_at_us_);
        last_at_us_ = at;
        incoming_.push_back({at, std::move(piece.bytes)});
      }
      if (d.hang_up) dead_at_us_ = at;
    }
    return true;
  }
  Bytes read_available() override {
    Bytes out;
    while (!incoming_.empty() && incoming_.front().at_us <= now_us()) {
      out += incoming_.front().bytes;
      incoming_.pop_front();
    }
    check_line();
    return out;
  }
  std::string error_text() const override { return open_ ? std::string{} : "hang-up"; }

  const std::vector<Bytes>& written() const { return written_; }
  const std::string& device() const { return device_; }

 private:
  struct Scheduled {
    std::int64_t at_us;
    Bytes bytes;
  };
  std::int64_t now_us() const { return clock_ ? clock_->now_us() : 0; }
  // A pulled line closes the port once the last piece before it is out.
  void check_line() const {
    if (dead_at_us_ >= 0 && now_us() >= dead_at_us_) {
      open_ = false;
      dead_at_us_ = -1;
      incoming_.clear();
    }
  }

  VirtualPhone& phone_;
  const Clock* clock_;
  std::vector<Bytes> written_;
  mutable std::deque<Scheduled> incoming_;
  std::int64_t last_at_us_ = 0;
  mutable std::int64_t dead_at_us_ = -1;
  std::string device_;
  mutable bool open_ = false;
};

}  // namespace lg81xx::sim
