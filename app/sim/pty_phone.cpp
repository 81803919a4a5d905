#include "pty_phone.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace lg81xx::sim {
namespace {

constexpr std::size_t kBurst = 64;  // bytes per burst on a paced line
constexpr int kPollMs = 20;
constexpr std::chrono::milliseconds kBackToBack{
    1};  // later than this, the line was idle         // how often the thread looks at the stop flag

std::runtime_error system_error(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PtyPhone::PtyPhone(PhoneOptions phone, PtyOptions options) : options_(std::move(options)), phone_(std::move(phone)) {
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

void PtyPhone::pace(std::chrono::steady_clock::time_point& line_free, std::size_t bytes, bool back_to_back) const {
  if (options_.baud <= 0) return;
  // The line is busy until `line_free`. Bytes queued right behind the previous burst follow
  // it on the line even when this thread woke late, so their schedule continues from there
  // (and catches up); otherwise they start now at the earliest. Sleeping until an absolute
  // moment keeps the oversleeps of a long frame from adding up.
  const auto now = std::chrono::steady_clock::now();
  const auto ns = static_cast<long long>(bytes) * 10 * 1'000'000'000LL / options_.baud;
  const auto start = back_to_back ? line_free : std::max(line_free, now);
  line_free = start + std::chrono::nanoseconds(ns);
  std::this_thread::sleep_until(line_free);
}

bool PtyPhone::send_all(const Bytes& data) {
  const std::size_t step = options_.baud > 0 ? kBurst : data.size();
  std::size_t done = 0;
  std::size_t paid = 0;  // bytes whose line time is spent: they may go to the client
  while (done < data.size() && !stop_) {
    if (paid == done) {
      // A burst reaches the client only once its last byte has crossed the line.
      paid = std::min(done + step, data.size());
      pace(tx_free_, paid - done, done > 0);  // a reply goes out without gaps
    }
    const ssize_t n = ::write(master_, data.data() + done, paid - done);
    if (n > 0) {
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
    // The phone has the bytes once they crossed the line.
    pace(rx_free_, static_cast<std::size_t>(n), rx_queued_);
    int queued = 0;
    rx_queued_ = ::ioctl(master_, FIONREAD, &queued) == 0 && queued > 0;
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
