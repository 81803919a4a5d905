#pragma once
// The virtual phone as an in-process serial port: what is written goes straight to the
// phone, and its answer can be read back at once. No pseudo-terminal, no threads: the
// handler tests use it with a virtual clock.
#include "platform/serial_port.h"
#include "virtual_phone.h"

namespace lg81xx::sim {

class PhonePort final : public SerialPort {
 public:
  explicit PhonePort(VirtualPhone& phone) : phone_(phone) {}

  bool open(const std::string& device) override {
    device_ = device;
    open_ = true;
    return true;
  }
  void close() override { open_ = false; }
  bool is_open() const override { return open_; }
  bool write(const Bytes& frame) override {
    if (!open_) return false;
    written_.push_back(frame);
    incoming_ += phone_.receive(frame);
    return true;
  }
  Bytes read_available() override {
    Bytes out;
    out.swap(incoming_);
    return out;
  }
  std::string error_text() const override { return {}; }

  const std::vector<Bytes>& written() const { return written_; }
  const std::string& device() const { return device_; }

 private:
  VirtualPhone& phone_;
  std::vector<Bytes> written_;
  Bytes incoming_;
  std::string device_;
  bool open_ = false;
};

}  // namespace lg81xx::sim
