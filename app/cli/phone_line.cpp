#include "phone_line.h"

#include "phone_port.h"
#include "platform/qt/qt_serial_port.h"
#include "virtual_phone.h"

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

// The phone in-process: what is written is answered at once.
class InProcessLine final : public PhoneLine {
 public:
  explicit InProcessLine(sim::PhoneOptions options) : phone_(std::move(options)), port_(phone_) {}
  SerialPort& port() override { return port_; }
  std::string port_text() const override { return "sim"; }

 private:
  sim::VirtualPhone phone_;
  sim::PhonePort port_;
};

}  // namespace

std::unique_ptr<PhoneLine> serial_line(std::string port_text) { return std::make_unique<SerialLine>(std::move(port_text)); }

std::unique_ptr<PhoneLine> virtual_line(const std::string& model, const std::filesystem::path& storage,
                                        std::string& error) {
  sim::PhoneOptions options;
  options.model = model;
  options.storage = storage;
  (void)error;
  return std::make_unique<InProcessLine>(std::move(options));
}

}  // namespace lg81xx::cli
