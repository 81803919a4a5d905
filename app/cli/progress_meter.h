#pragma once
// The progress of an upload or download on standard error: a bar redrawn in place on a
// terminal, plain percentage lines (every tenth) otherwise.
#include <ostream>
#include <string>

namespace lg81xx::cli {

class ProgressMeter {
 public:
  ProgressMeter(std::ostream& out, bool terminal) : out_(out), terminal_(terminal) {}
  ~ProgressMeter() { finish_line(); }
  ProgressMeter(const ProgressMeter&) = delete;
  ProgressMeter& operator=(const ProgressMeter&) = delete;

  // How far the transfer is, 0 .. 1; `label` before it says which of several ("3/12").
  void show(double fraction, const std::string& label = {});
  // Ends a bar left open, before other text goes to the same stream.
  void finish_line();

 private:
  std::ostream& out_;
  bool terminal_;
  int shown_ = -1;  // the percentage last drawn, -1 when no bar is open
  std::string label_;
};

}  // namespace lg81xx::cli
