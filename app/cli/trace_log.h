#pragma once
// --trace: every frame sent and every reply received, one line each, after the heading that
// says which program and command made the trace (link/trace_format.h):
//   # lg81xx-cli 0.1.0
//   # command: --port sim --model "LG U8120" ls Immagini
//          0.004 -> 41 54 2B 43 47 53 4E 0D 0A 00
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "link/link.h"

namespace lg81xx::cli {

// A trace function for Link::set_trace that writes to `out` with times from `clock`.
TraceFn make_trace(std::ostream& out, const Clock& clock);

// The arguments this process was started with, after the program's own name.
std::vector<std::string> own_arguments();

// The trace file of a run. A trace that could not be written whole fails the command, so
// it is judged once the last frame has gone.
class TraceFile {
 public:
  // False when `path` cannot be opened for writing; nothing is sent then.
  bool open(const std::filesystem::path& path);
  // From now on the frames of `link` go to the file, after the heading (with this program's
  // arguments) before the first of them: a run that sent nothing leaves the file empty.
  void attach(Link& link, const Clock& clock);
  // True when every line reached the file (or no file was asked for).
  bool complete();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::ofstream out_;
  std::string heading_;
};

}  // namespace lg81xx::cli
