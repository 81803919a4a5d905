#pragma once
// A pseudo-terminal in raw mode, as the phone's end of a line: the phone reads and writes
// its own end (non-blocking); the client opens device_path() like any serial device. The
// phone holds the client's end open too, so the terminal survives the client closing and
// reopening it, until release_client_end(): from then on the client's last close shows on
// the phone's end as a hang-up.
#include <string>

namespace lg81xx::sim {

class PseudoTerminal {
 public:
  // Throws std::runtime_error when the system gives no pseudo-terminal.
  PseudoTerminal();
  ~PseudoTerminal() { close(); }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int phone_end() const { return phone_end_; }
  const std::string& device_path() const { return device_path_; }
  void release_client_end();
  // Both ends closed: the client sees the line pulled.
  void close();

 private:
  int phone_end_ = -1;
  int client_end_ = -1;
  std::string device_path_;
};

}  // namespace lg81xx::sim
