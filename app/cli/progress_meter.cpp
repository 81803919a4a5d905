#include "progress_meter.h"

#include <algorithm>
#include <string>

namespace lg81xx::cli {

void ProgressMeter::show(double fraction, const std::string& label) {
  const int percent = std::clamp(static_cast<int>(fraction * 100), 0, 100);
  if (percent < shown_ || label != label_) finish_line();  // a new transfer begins
  label_ = label;
  const std::string before = label.empty() ? "" : label + " ";
  if (terminal_) {
    if (percent == shown_) return;
    constexpr int kBar = 30;
    const int filled = percent * kBar / 100;
    out_ << "\r" << before << "[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kBar - filled), '.') << "] " << percent << "%" << std::flush;
    shown_ = percent;
    if (percent == 100) finish_line();
    return;
  }
  // Every tenth once, and the end once.
  const int step = percent / 10;
  if (shown_ >= 0 && step == shown_ / 10) return;
  out_ << before << percent << "%\n" << std::flush;
  shown_ = percent;
  if (percent == 100) shown_ = -1;
}

void ProgressMeter::finish_line() {
  if (shown_ < 0) return;
  if (terminal_) out_ << "\n" << std::flush;
  shown_ = -1;
}

}  // namespace lg81xx::cli
