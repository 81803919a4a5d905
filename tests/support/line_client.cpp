#include "support/line_client.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace lg81xx::testing {
namespace {

using Clock = std::chrono::steady_clock;

int left_ms(Clock::time_point deadline) {
  return static_cast<int>(
      std::max<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count(), 0));
}

}  // namespace

LineClient::LineClient(const std::string& device) {
  fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd_ < 0) throw std::runtime_error("cannot open " + device);
  termios tio{};
  tcgetattr(fd_, &tio);
  cfmakeraw(&tio);
  tcsetattr(fd_, TCSANOW, &tio);
}

void LineClient::write(const Bytes& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n <= 0) throw std::runtime_error("cannot write to the line");
    done += static_cast<std::size_t>(n);
  }
}

Bytes LineClient::read_until(const std::function<bool(const Bytes&)>& done, int timeout_ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  Bytes got;
  char buf[4096];
  while (!done(got)) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, left_ms(deadline)) <= 0) break;
    const ssize_t n = ::read(fd_, buf, sizeof buf);
    if (n <= 0) break;
    got.append(buf, static_cast<std::size_t>(n));
  }
  return got;
}

void LineClient::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool eventually(const std::function<bool()>& condition, int timeout_ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!condition()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace lg81xx::testing
