#include "phone_line.h"

#include <stdexcept>

#include "platform/qt/qt_serial_port.h"
#include "pty_phone.h"

namespace lg81xx::cli {
namespace {

class SerialLine final : public PhoneLine {
 public:
  explicit SerialLine(std::string text) : text_(std::move(text)) {}
  SerialPort& port() override { return port_; }
  std::string port_text() const override { return text_; }

 private:
  QtSerialPort port_;
  std::string text_;
};

// The virtual phone on a pseudo-terminal, reached through the real serial port: the same
// path a phone on a cable takes.
class VirtualPhoneLine final : public PhoneLine {
 public:
  explicit VirtualPhoneLine(sim::PhoneOptions options) : phone_(std::move(options)) {}
  SerialPort& port() override { return port_; }
  std::string port_text() const override { return phone_.device_path(); }

 private:
  sim::PtyPhone phone_;
  QtSerialPort port_;
};

}  // namespace

std::unique_ptr<PhoneLine> serial_line(std::string port_text) {
  return std::make_unique<SerialLine>(std::move(port_text));
}

std::unique_ptr<PhoneLine> virtual_line(const std::string& model, const std::filesystem::path& storage,
                                        std::string& error) {
  sim::PhoneOptions options;
  options.model = model;
  options.storage = storage;
  try {
    return std::make_unique<VirtualPhoneLine>(std::move(options));
  } catch (const std::runtime_error& e) {
    error = e.what();
    return nullptr;
  }
}

}  // namespace lg81xx::cli
