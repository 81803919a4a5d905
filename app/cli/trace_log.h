#pragma once
// --trace: every frame sent and every reply received, one line each, after the heading that
// says which program and command made the trace (link/trace_format.h):
//   # lg81xx-cli 0.1.0
//   # command: --port sim --model "LG U8120" ls Immagini
//          0.004 -> 41 54 2B 43 47 53 4E 0D 0A 00
// The same lines go into the recorded sessions (jobs/recorded_sessions.h).
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "jobs/recorded_sessions.h"
#include "link/link.h"
#include "platform/posix/log_file.h"

namespace lg81xx::cli {

// A trace function for Link::set_trace that writes to `out` with times from `clock`.
TraceFn make_trace(std::ostream& out, const Clock& clock);

// The arguments this process was started with, after the program's own name.
std::vector<std::string> own_arguments();

// The traces of a run: the file --trace names, and the recorded session. A --trace file
// that could not be written whole fails the command, so it is judged once the last frame
// has gone; the recorded session only ever warns.
class TraceFile {
 public:
  TraceFile();
  // The --trace file, opened as `rules` allow (nothing is sent when it cannot be).
  LogFileProblem open(const std::filesystem::path& path, const LogFileRules& rules);
  // The session recorded in `folder` too; its one warning, if any, on `err`.
  void record(const std::filesystem::path& folder, std::ostream& err);
  // From now on the frames of `link` go to the files, after the heading (with this
  // program's arguments) before the first of them: a run that sent nothing writes nothing.
  void attach(Link& link, const Clock& clock);
  // True when every line reached the --trace file (or none was asked for).
  bool complete();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  LogFile out_;
  std::string heading_;
  bool heading_written_ = false;
  std::unique_ptr<SessionRecorder> recorder_;
};

}  // namespace lg81xx::cli
