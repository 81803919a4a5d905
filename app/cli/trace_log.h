#pragma once
// --trace: every frame sent and every reply received, one line each: the time in seconds
// since the run began, the direction ("->" sent, "<-" received, "<x" received after a
// whole reply or a wait that ended, and dropped) and the bytes in hex. Before the first
// frame, comment lines say which program and command made the trace:
//   # lg81xx-cli 0.1.0
//   # command: --port sim --model "LG U8120" ls Immagini
//          0.004 -> 41 54 2B 43 47 53 4E 0D 0A 00
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "link/link.h"

namespace lg81xx::cli {

std::string trace_line(std::int64_t elapsed_ms, Direction direction, std::string_view bytes);

// A trace function for Link::set_trace that writes to `out` with times from `clock`.
TraceFn make_trace(std::ostream& out, const Clock& clock);

// The comment lines a trace starts with: "# PROGRAM VERSION", then "# command: " and the
// arguments, each as a shell reads it: as it is when made only of letters, digits and
// -_./:=@%+, and otherwise in double quotes, with \ before " \ $ and ` (and a control
// character written \xHH, which a shell would not undo).
std::string trace_header(std::string_view program, const std::vector<std::string>& arguments);
// The arguments this process was started with, after the program's own name.
std::vector<std::string> own_arguments();

// The trace file of a run. A trace that could not be written whole fails the command, so
// it is judged once the last frame has gone.
class TraceFile {
 public:
  // False when `path` cannot be opened for writing; nothing is sent then.
  bool open(const std::filesystem::path& path);
  // From now on the frames of `link` go to the file, after the header (trace_header, with
  // this program's arguments) before the first of them: a run that sent nothing leaves the
  // file empty.
  void attach(Link& link, const Clock& clock);
  // True when every line reached the file (or no file was asked for).
  bool complete();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::ofstream out_;
  std::string header_;
};

}  // namespace lg81xx::cli
