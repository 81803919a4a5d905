#pragma once
// A phone that answers every frame with the next piece of the fuzz input: two bytes give
// the piece's length, the piece follows. Drives the handlers with arbitrary replies.
#include <cstdint>
#include <string_view>

#include "platform/serial_port.h"

namespace lg81xx::fuzzing {

class FuzzPhonePort final : public SerialPort {
 public:
  explicit FuzzPhonePort(std::string_view script) : script_(script) {}
  bool open(const std::string&) override { return open_ = true; }
  void close() override { open_ = false; }
  bool is_open() const override { return open_; }
  bool write(const Bytes&) override {
    if (!open_) return false;
    if (script_.size() < 2) return true;  // the phone has fallen silent
    const std::size_t length = (byte_at(script_, 0) | (static_cast<std::size_t>(byte_at(script_, 1)) << 8)) % 2100;
    script_.remove_prefix(2);
    const std::size_t n = length < script_.size() ? length : script_.size();
    pending_.append(script_.substr(0, n));
    script_.remove_prefix(n);
    return true;
  }
  Bytes read_available() override {
    Bytes out;
    out.swap(pending_);
    return out;
  }
  std::string error_text() const override { return {}; }

 private:
  std::string_view script_;
  Bytes pending_;
  bool open_ = false;
};

}  // namespace lg81xx::fuzzing
