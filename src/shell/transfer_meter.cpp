#include "shell/transfer_meter.h"

#include <cmath>
#include <cstdio>

namespace lg81xx {
namespace {

constexpr double kBytesInKilo = 1024;

// One decimal, written with a comma.
std::string with_decimal_comma(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  std::string out = text;
  for (char& c : out)
    if (c == '.') c = ',';
  return out;
}

}  // namespace

std::string size_text(double bytes) {
  if (bytes < kBytesInKilo) return std::to_string(static_cast<std::uint64_t>(bytes)) + " byte";
  if (bytes < kBytesInKilo * kBytesInKilo) return with_decimal_comma(bytes / kBytesInKilo) + " KB";
  return with_decimal_comma(bytes / kBytesInKilo / kBytesInKilo) + " MB";
}

std::string duration_text(std::int64_t seconds) {
  if (seconds < 60) return std::to_string(seconds) + " s";
  const std::int64_t rest = seconds % 60;
  return std::to_string(seconds / 60) + " min " + (rest < 10 ? "0" : "") + std::to_string(rest) + " s";
}

std::string transfer_text(const Progress& progress, std::uint64_t moved, std::int64_t elapsed_ms) {
  std::string text;
  if (progress.files > 1)
    text = "file " + std::to_string(progress.file) + " di " + std::to_string(progress.files) + " · ";
  text += size_text(static_cast<double>(progress.done)) + " di " + size_text(static_cast<double>(progress.total));
  if (moved == 0 || elapsed_ms <= 0) return text;
  const double per_second = static_cast<double>(moved) * 1000 / static_cast<double>(elapsed_ms);
  text += " · " + size_text(per_second) + "/s";
  if (progress.done < progress.total) {
    const auto left =
        static_cast<std::int64_t>(std::ceil(static_cast<double>(progress.total - progress.done) / per_second));
    text += " · ancora " + duration_text(left);
  }
  return text;
}

void TransferMeter::start(std::int64_t now_ms) {
  since_ms_ = now_ms;
  since_done_ = 0;
  shown_ms_.reset();
  last_ = {};
}

std::optional<std::string> TransferMeter::update(const Progress& progress, std::int64_t now_ms) {
  const bool next_transfer =
      shown_ms_ && (progress.file != last_.file || progress.done < last_.done || progress.total != last_.total);
  if (next_transfer) {
    since_ms_ = now_ms;
    since_done_ = progress.done;
  }
  last_ = progress;
  const bool due = !shown_ms_ || next_transfer || progress.done >= progress.total || now_ms - *shown_ms_ >= kEveryMs;
  if (!due) return std::nullopt;
  shown_ms_ = now_ms;
  return transfer_text(progress, progress.done - since_done_, now_ms - since_ms_);
}

}  // namespace lg81xx
