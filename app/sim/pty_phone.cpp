#include "pty_phone.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace lg81xx::sim {
namespace {

constexpr std::size_t kBurst = 64;  // bytes per burst on a paced line
constexpr int kPollMs = 20;         // how often the thread looks at the stop flag

std::runtime_error system_error(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PtyPhone::PtyPhone(PhoneOptions phone, PtyOptions options)
    : options_(std::move(options)), phone_(std::move(phone)) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) throw system_error("posix_openpt");
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
    ::close(master_);
    throw system_error("grantpt/unlockpt");
  }
  const char* name = ptsname(master_);
  if (name == nullptr) {
    ::close(master_);
    throw system_error("ptsname");
  }
  device_path_ = name;
  slave_ = ::open(device_path_.c_str(), O_RDWR | O_NOCTTY);
  if (slave_ < 0) {
    ::close(master_);
    throw system_error("open " + device_path_);
  }
  // A new terminal echoes and translates line ends: binary frames need raw mode.
  termios tio{};
  tcgetattr(slave_, &tio);
  cfmakeraw(&tio);
  tcsetattr(slave_, TCSANOW, &tio);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

  if (options_.traffic_log) phone_.context().on_log = options_.traffic_log;
  thread_ = std::thread([this] { serve(); });
}

PtyPhone::~PtyPhone() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
}

void PtyPhone::hang_up() {
  hang_up_ = true;
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

std::vector<std::string> PtyPhone::log_lines() {
  std::lock_guard lock(mutex_);
  return phone_.context().log_lines();
}

void PtyPhone::with_phone(const std::function<void(VirtualPhone&)>& f) {
  std::lock_guard lock(mutex_);
  f(phone_);
}

void PtyPhone::pace(std::size_t bytes) const {
  if (options_.baud <= 0) return;
  const auto us = static_cast<long long>(bytes) * 10 * 1'000'000 / options_.baud;
  std::this_thread::sleep_for(std::chrono::microseconds(us));
}

bool PtyPhone::send_all(const Bytes& data) {
  const std::size_t step = options_.baud > 0 ? kBurst : data.size();
  std::size_t done = 0;
  while (done < data.size() && !stop_) {
    const std::size_t want = std::min(step, data.size() - done);
    const ssize_t n = ::write(master_, data.data() + done, want);
    if (n > 0) {
      pace(static_cast<std::size_t>(n));
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
    pollfd p{master_, POLLOUT, 0};  // the client is not reading: wait for room
    ::poll(&p, 1, kPollMs);
  }
  return done == data.size();
}

void PtyPhone::serve() {
  char buf[4096];
  while (!stop_) {
    pollfd p{master_, POLLIN, 0};
    const int ready = ::poll(&p, 1, kPollMs);
    if (ready <= 0) continue;
    if ((p.revents & POLLIN) == 0) {
      // Nobody at the other end yet (or any more): nothing to read, do not spin.
      std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
      continue;
    }
    const std::size_t want = options_.baud > 0 ? kBurst : sizeof buf;
    const ssize_t n = ::read(master_, buf, want);
    if (n <= 0) continue;
    pace(static_cast<std::size_t>(n));
    std::vector<Delivery> replies;
    {
      std::lock_guard lock(mutex_);
      replies = phone_.respond(std::string_view(buf, static_cast<std::size_t>(n)));
    }
    for (const auto& d : replies) {
      if (!d.pieces.empty() && options_.latency_ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(options_.latency_ms));
      for (const auto& piece : d.pieces) {  // pieces with gaps, as the faults ask
        if (piece.after_ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(piece.after_ms));
        send_all(piece.bytes);
      }
      if (d.hang_up) {
        hang_up_ = true;
        stop_ = true;
      }
    }
  }
  if (hang_up_) {
    ::close(master_);
    ::close(slave_);
    master_ = slave_ = -1;
  }
}

}  // namespace lg81xx::sim
