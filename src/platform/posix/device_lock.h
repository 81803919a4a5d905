#pragma once
// One program at a time on a serial device, whatever path names it. The device itself is
// opened (a link such as /dev/serial/by-id/... leads to the same device node) and locked
// with flock: the lock belongs to the node, so a second program fails to take it through
// any of its names, as root too (root passes over the terminal's exclusive mode, not over
// the lock). Programs that lock serial devices the same way (terminal programs do) are
// kept out as well, and keep this one out.
#include <optional>
#include <string>

#include "platform/serial_port.h"

namespace lg81xx {

class DeviceLock {
 public:
  DeviceLock() = default;
  ~DeviceLock() { release(); }
  DeviceLock(const DeviceLock&) = delete;
  DeviceLock& operator=(const DeviceLock&) = delete;

  // Opens `device` without waiting for its line and without making it the controlling
  // terminal, and locks it. Nothing when it is now held; else why not (in_use when
  // another holder has the lock or the terminal in exclusive mode), with error_text().
  std::optional<PortFailure> acquire(const std::string& device);
  void release();
  bool held() const { return fd_ >= 0; }
  const std::string& error_text() const { return error_; }

 private:
  int fd_ = -1;
  std::string error_;
};

// Puts the open terminal `fd` in exclusive mode: further opens of it fail with EBUSY,
// except by root. False where the system offers no such mode or refuses it.
bool make_exclusive(int fd);

}  // namespace lg81xx
