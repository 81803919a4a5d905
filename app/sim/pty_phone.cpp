#include "pty_phone.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace lg81xx::sim {
namespace {

constexpr std::size_t kBurst = 64;  // bytes per burst on a paced line
constexpr int kPollMs = 20;         // how often the thread looks at the stop flag and the quiet line

}  // namespace

PtyPhone::PtyPhone(PhoneOptions phone, PtyOptions options) : options_(std::move(options)), phone_(std::move(phone)) {
  if (options_.traffic_log) phone_.context().on_log = options_.traffic_log;
  phone_.set_baud(options_.baud);
  thread_ = std::thread([this] { serve(); });
}

PtyPhone::~PtyPhone() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
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
    const ssize_t n = ::write(terminal_.phone_end(), data.data() + done, paid - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
    pollfd p{terminal_.phone_end(), POLLOUT, 0};  // the client is not reading: wait for room
    ::poll(&p, 1, kPollMs);
  }
  return done == data.size();
}

void PtyPhone::serve() {
  char buf[4096];
  while (!stop_) {
    pollfd p{terminal_.phone_end(), POLLIN, 0};
    const int ready = ::poll(&p, 1, kPollMs);
    if (ready <= 0) {
      std::lock_guard lock(mutex_);
      phone_.expire();  // a request that stopped coming must not hold the phone
      continue;
    }
    if ((p.revents & POLLIN) == 0) {
      // Nobody at the other end yet (or any more): nothing to read, do not spin.
      std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
      continue;
    }
    const std::size_t want = options_.baud > 0 ? kBurst : sizeof buf;
    const ssize_t n = ::read(terminal_.phone_end(), buf, want);
    if (n <= 0) continue;
    // The phone has the bytes once they crossed the line.
    pace(rx_free_, static_cast<std::size_t>(n), rx_queued_);
    int queued = 0;
    rx_queued_ = ::ioctl(terminal_.phone_end(), FIONREAD, &queued) == 0 && queued > 0;
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
  if (hang_up_) terminal_.close();
}

}  // namespace lg81xx::sim
