#include "pty_replay.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace lg81xx::sim {
namespace {

constexpr int kPollMs = 20;  // how often the replay looks at the quiet line and the stop

void write_all(int fd, const Bytes& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
      return;  // the client is gone
    } else {
      pollfd p{fd, POLLOUT, 0};  // the client is not reading: wait for room
      ::poll(&p, 1, kPollMs);
    }
  }
}

}  // namespace

void PtyReplay::deliver(const Delivery& delivery) {
  for (const auto& piece : delivery.pieces) {
    if (piece.after_ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(piece.after_ms));
    write_all(terminal_.phone_end(), piece.bytes);
  }
}

void PtyReplay::serve(const std::function<bool()>& stop) {
  const int line = terminal_.phone_end();
  deliver(replay_.opening());
  bool client_wrote = false;
  std::string how = "the replay was stopped";
  char buf[4096];
  while (!stop()) {
    pollfd p{line, POLLIN, 0};
    const int ready = ::poll(&p, 1, kPollMs);
    if (ready == 0) {
      for (const auto& d : replay_.expire()) deliver(d);
      continue;
    }
    if (ready < 0) continue;
    if ((p.revents & POLLIN) != 0) {
      const ssize_t n = ::read(line, buf, sizeof buf);
      if (n > 0) {
        if (!client_wrote) {
          // From now on the client's close shows here as a hang-up: the end of the session.
          terminal_.release_client_end();
          client_wrote = true;
        }
        for (const auto& d : replay_.respond(std::string_view(buf, static_cast<std::size_t>(n)))) deliver(d);
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    }
    if (client_wrote) {  // a hang-up, and everything sent before it read
      how = "the client closed the line";
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));  // nobody there yet
  }
  replay_.end(how);
}

}  // namespace lg81xx::sim
