#include "platform/posix/device_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace lg81xx {
namespace {

PortFailure failure_of(int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR: return PortFailure::not_found;
    case EACCES:
    case EPERM:
    case EROFS: return PortFailure::denied;
    case EBUSY:  // another holder put the terminal in exclusive mode
    case EWOULDBLOCK: return PortFailure::in_use;
    default: return PortFailure::other;
  }
}

}  // namespace

std::optional<PortFailure> DeviceLock::acquire(const std::string& device) {
  release();
  error_.clear();
  int fd = -1;
  do {
    fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    error_ = std::strerror(errno);
    return failure_of(errno);
  }
  int locked = -1;
  do {
    locked = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    const int error = errno;
    ::close(fd);
    error_ = error == EWOULDBLOCK ? "another program holds the device" : std::strerror(error);
    return failure_of(error);
  }
  fd_ = fd;
  return std::nullopt;
}

void DeviceLock::release() {
  if (fd_ < 0) return;
  ::close(fd_);  // the lock goes with the last descriptor of its open
  fd_ = -1;
}

bool make_exclusive(int fd) {
#ifdef TIOCEXCL
  return ::ioctl(fd, TIOCEXCL) == 0;
#else
  (void)fd;
  return false;
#endif
}

}  // namespace lg81xx
