#pragma once
// The line to the phone: a serial port named by the user, or the built-in virtual phone.
// This is the one place that decides how the virtual phone is reached.
#include <filesystem>
#include <memory>
#include <string>

#include "platform/serial_port.h"

namespace lg81xx::cli {

class PhoneLine {
 public:
  virtual ~PhoneLine() = default;
  virtual SerialPort& port() = 0;
  // The port as the window's port box would take it: a COM item, a device path, or the
  // virtual phone's device.
  virtual std::string port_text() const = 0;
};

std::unique_ptr<PhoneLine> serial_line(std::string port_text);

// The virtual phone as `model`, its folders kept in `storage` (created when missing), on a
// pseudo-terminal. Nothing, and `error` says why, when the system gives no pseudo-terminal.
std::unique_ptr<PhoneLine> virtual_line(const std::string& model, const std::filesystem::path& storage,
                                        std::string& error);

}  // namespace lg81xx::cli
