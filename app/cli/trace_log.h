#pragma once
// --trace: every frame sent and every reply received, one line each: the time in seconds
// since the run began, the direction ("->" sent, "<-" received, "<x" received after a
// whole reply or a wait that ended, and dropped) and the bytes in hex; or, in place of
// the direction and bytes, a note of what a job made of a reply ("!! AT*EOBEX refused ...").
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string_view>

#include "link/link.h"

namespace lg81xx::cli {

std::string trace_line(std::int64_t elapsed_ms, Direction direction, std::string_view bytes);

// A trace function for Link::set_trace that writes to `out` with times from `clock`.
TraceFn make_trace(std::ostream& out, const Clock& clock);

// The trace file of a run. A trace that could not be written whole fails the command, so
// it is judged once the last frame has gone.
class TraceFile {
 public:
  // False when `path` cannot be opened for writing; nothing is sent then.
  bool open(const std::filesystem::path& path);
  // From now on the frames of `link` go to the file.
  void attach(Link& link, const Clock& clock) { link.set_trace(make_trace(out_, clock)); }
  // True when every line reached the file (or no file was asked for).
  bool complete();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::ofstream out_;
};

}  // namespace lg81xx::cli
