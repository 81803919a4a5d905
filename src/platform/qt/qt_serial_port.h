#pragma once
// The real serial port on QSerialPort, used without an event loop: writes are pushed out
// at once and reads poll the driver without waiting. Create and use it in one thread.
// While it is open the device is locked (device_lock.h): a second program, or a second
// port object, gets PortFailure::in_use through any path to the same device.
#include <QSerialPort>
#include <string>
#include <vector>

#include "platform/port_list.h"
#include "platform/serial_port.h"
#ifdef Q_OS_UNIX
#include "platform/posix/device_lock.h"
#endif

namespace lg81xx {

class QtSerialPort final : public SerialPort {
 public:
  bool open(const std::string& device) override;
  void close() override;
  bool is_open() const override;
  bool write(const Bytes& frame) override;
  Bytes read_available() override;
  std::string error_text() const override { return error_; }
  PortFailure open_failure() const override { return failure_; }

 private:
  void lose_link();
  void release_device();

  QSerialPort port_;
#ifdef Q_OS_UNIX
  DeviceLock lock_;
#endif
  std::string error_;
  PortFailure failure_ = PortFailure::other;
};

// Serial ports the system can see (pseudo-terminals are not listed).
std::vector<PortInfo> available_ports();

}  // namespace lg81xx
