#pragma once
// Every session with a phone is recorded, so that a phone that misbehaved once can be
// looked at afterwards (trace show, the report for support): the traffic of the last
// kSessionsKept sessions of the window and the command line, one file each, in the
// --trace format with the program and its command at the top, in the user's state folder
// ($XDG_STATE_HOME/lg81xx/sessions, by default ~/.local/state/lg81xx/sessions). A file is
// made only when the first frame goes out, always new (0600, never through a link), and
// the oldest ones go. Recording never stops a job: a problem is one warning, then silence.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/link.h"
#include "platform/posix/log_file.h"

namespace lg81xx {

inline constexpr std::size_t kSessionsKept = 20;

// The folder from the environment's values (either may be null): XDG_STATE_HOME when it is
// an absolute path, otherwise HOME/.local/state; then lg81xx/sessions. Empty without either.
std::filesystem::path sessions_folder(const char* xdg_state_home, const char* home);
std::filesystem::path sessions_folder();  // from this process's environment

// The recorded sessions in `folder`, oldest first.
std::vector<std::filesystem::path> recorded_sessions(const std::filesystem::path& folder);

class SessionRecorder {
 public:
  using Warn = std::function<void(const std::string&)>;
  // `program` ("lg81xx-cli") names the files; `heading` (trace_heading) opens each.
  SessionRecorder(std::filesystem::path folder, std::string program, std::string heading, Warn warn);

  // A new session from the next frame on: the next frame opens a new file.
  void next_session() { file_.close(); }
  // One frame at `elapsed_ms` since the session began.
  void frame(std::int64_t elapsed_ms, Direction direction, std::string_view bytes);
  // The file of the session under way (or the last), empty before the first frame.
  const std::filesystem::path& path() const { return path_; }

 private:
  bool begin();
  void fail(const std::string& why);

  std::filesystem::path folder_;
  std::string program_;
  std::string heading_;
  Warn warn_;
  LogFile file_;
  std::filesystem::path path_;
  unsigned sessions_ = 0;  // begun by this recorder
  bool failed_ = false;
};

}  // namespace lg81xx
