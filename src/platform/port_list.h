#pragma once
// The serial ports this computer offers. The listing itself is the platform's (Qt's
// QSerialPortInfo); the window and the command line only see this list, so tests hand
// them a list of their own.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lg81xx {

struct PortInfo {
  std::string device;                       // what SerialPort::open() takes
  std::string description;                  // for people
  std::optional<std::uint16_t> usb_vendor;  // the USB vendor of the port's adapter, if any
};

// The phones' own USB cables carry this vendor.
inline constexpr std::uint16_t kPhoneCableVendor = 0x1004;

inline bool is_phone_cable(const PortInfo& port) { return port.usb_vendor == kPhoneCableVendor; }

using PortLister = std::function<std::vector<PortInfo>()>;

}  // namespace lg81xx
