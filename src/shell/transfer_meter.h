#pragma once
// The status line's account of a transfer under way: bytes done of the total, the speed
// and the time left, and which file of several ("file 2 di 3"). A new account at most a
// few times a second, so that the line can be read while it changes.
#include <cstdint>
#include <optional>
#include <string>

#include "jobs/job_context.h"

namespace lg81xx {

// "37 byte", "12,3 KB", "1,5 MB": the window's way of writing a size.
std::string size_text(double bytes);
// "9 s", "1 min 05 s".
std::string duration_text(std::int64_t seconds);
// "file 2 di 3 · 12,3 KB di 40,0 KB · 3,7 KB/s · ancora 8 s": `moved` bytes went in
// `elapsed_ms`; without either, no speed and no time left.
std::string transfer_text(const Progress& progress, std::uint64_t moved, std::int64_t elapsed_ms);

class TransferMeter {
 public:
  // At most one new account in this time, besides the first, the last and a new file's.
  static constexpr std::int64_t kEveryMs = 250;

  // A transfer starts at `now_ms`, nothing moved yet.
  void start(std::int64_t now_ms);
  // The account of `progress` at `now_ms`, or nothing while the last one is too recent to
  // change. A new file, or an upload that starts again from 0, is timed from its first
  // report.
  std::optional<std::string> update(const Progress& progress, std::int64_t now_ms);

 private:
  std::int64_t since_ms_ = 0;             // when the bytes counted for the speed began to move
  std::uint64_t since_done_ = 0;          // the bytes done at that moment
  std::optional<std::int64_t> shown_ms_;  // when the last account was given
  Progress last_;
};

}  // namespace lg81xx
