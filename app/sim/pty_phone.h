#pragma once
// The virtual phone on a pseudo-terminal: a background thread reads what the client writes
// to the terminal's other end, feeds it to a VirtualPhone and writes the answers back.
// The client opens device_path() like any serial device; it may close and reopen it, since
// the phone keeps its own descriptor of that end open.
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "pseudo_terminal.h"
#include "virtual_phone.h"

namespace lg81xx::sim {

struct PtyOptions {
  // 0: bytes move as fast as the terminal takes them. Otherwise both directions are paced
  // to this many baud (10 bits a byte) in bursts of 64 bytes, as a real line would.
  int baud = 0;
  // Time the phone "thinks" before each answer.
  int latency_ms = 0;
  // Every line of the phone's log (requests, answers, complaints), from the phone's thread.
  std::function<void(const std::string&)> traffic_log;
};

class PtyPhone {
 public:
  // Opens the pseudo-terminal and starts serving. Throws std::runtime_error when the
  // system gives no pseudo-terminal.
  explicit PtyPhone(PhoneOptions phone, PtyOptions options = {});
  ~PtyPhone();  // stops the thread and closes the terminal
  PtyPhone(const PtyPhone&) = delete;
  PtyPhone& operator=(const PtyPhone&) = delete;

  // What the client opens, for example /dev/pts/5.
  const std::string& device_path() const { return terminal_.device_path(); }

  // Pulls the line: closes the terminal, so the client sees a hang-up. Serving ends.
  void hang_up();

  // A copy of the phone's log so far.
  std::vector<std::string> log_lines();
  // Runs `f` on the phone while the serving thread is held off.
  void with_phone(const std::function<void(VirtualPhone&)>& f);

 private:
  void serve();
  // Sleeps until `bytes` more have crossed a line that is busy until `line_free`;
  // `back_to_back`: they were waiting right behind the previous burst.
  void pace(std::chrono::steady_clock::time_point& line_free, std::size_t bytes, bool back_to_back) const;
  bool send_all(const Bytes& data);

  PtyOptions options_;
  VirtualPhone phone_;
  mutable std::mutex mutex_;  // guards phone_
  PseudoTerminal terminal_;
  std::chrono::steady_clock::time_point tx_free_{};  // phone to client
  std::chrono::steady_clock::time_point rx_free_{};  // client to phone
  bool rx_queued_ = false;                           // more bytes were queued behind the last burst read
  std::atomic<bool> stop_{false};
  std::atomic<bool> hang_up_{false};
  std::thread thread_;
};

}  // namespace lg81xx::sim
