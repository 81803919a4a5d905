#pragma once
// A recorded session replayed on a pseudo-terminal (replay.h), served in the calling thread:
// the client opens device_path() as it would a phone's port. Serving ends when the client,
// once it has written, closes the terminal, or when `stop` says so; then the replay's
// verdict stands.
#include <functional>
#include <string>

#include "pseudo_terminal.h"
#include "replay.h"

namespace lg81xx::sim {

class PtyReplay {
 public:
  // Throws std::runtime_error when the system gives no pseudo-terminal.
  explicit PtyReplay(ReplayPhone& replay) : replay_(replay) {}

  const std::string& device_path() const { return terminal_.device_path(); }
  // `stop` is asked every few milliseconds.
  void serve(const std::function<bool()>& stop);

 private:
  void deliver(const Delivery& delivery);

  ReplayPhone& replay_;
  PseudoTerminal terminal_;
};

}  // namespace lg81xx::sim
