#include "jobs/recorded_sessions.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>

#include "link/trace_format.h"

namespace lg81xx {
namespace fs = std::filesystem;
namespace {

constexpr const char* kExtension = ".trace";

// "20261207-052749-123-lg81xx-cli-4242-1.trace": sorted by name, sorted by time; the
// process and its count of sessions keep two made in one millisecond apart.
std::string file_name(const std::string& program, unsigned count) {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm utc{};
  ::gmtime_r(&seconds, &utc);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
  char millis[8];
  std::snprintf(millis, sizeof millis, "-%03d-", static_cast<int>(ms));
  return stamp + std::string(millis) + program + "-" + std::to_string(::getpid()) + "-" + std::to_string(count) +
         kExtension;
}

// The folder and those above it made where missing, the last one private.
bool make_folder(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return true;
  fs::create_directories(folder.parent_path(), ec);
  return ::mkdir(folder.c_str(), 0700) == 0 || fs::is_directory(folder, ec);
}

}  // namespace

fs::path sessions_folder(const char* xdg_state_home, const char* home) {
  fs::path state;
  if (xdg_state_home != nullptr && xdg_state_home[0] == '/')
    state = xdg_state_home;
  else if (home != nullptr && home[0] == '/')
    state = fs::path(home) / ".local" / "state";
  else
    return {};
  return state / "lg81xx" / "sessions";
}

fs::path sessions_folder() { return sessions_folder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")); }

std::vector<fs::path> recorded_sessions(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec))
    if (entry.is_regular_file(ec) && !entry.is_symlink(ec) && entry.path().extension() == kExtension)
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

SessionRecorder::SessionRecorder(fs::path folder, std::string program, std::string heading, Warn warn)
    : folder_(std::move(folder)), program_(std::move(program)), heading_(std::move(heading)), warn_(std::move(warn)) {}

void SessionRecorder::fail(const std::string& why) {
  failed_ = true;
  file_.close();
  if (warn_) warn_("the session is not recorded: " + why);
}

bool SessionRecorder::begin() {
  if (folder_.empty()) {
    fail("no HOME or XDG_STATE_HOME says where");
    return false;
  }
  if (!make_folder(folder_)) {
    fail("the folder " + folder_.string() + " cannot be made");
    return false;
  }
  path_ = folder_ / file_name(program_, ++sessions_);
  if (const auto problem = file_.open(path_, {}); problem != LogFileProblem::none) {
    fail(path_.string() + " " + std::string(log_file_problem_text(problem)));
    return false;
  }
  // The oldest go, so that the folder keeps the last sessions, this one among them.
  auto files = recorded_sessions(folder_);
  std::error_code ec;
  for (std::size_t i = 0; i + kSessionsKept < files.size(); ++i) fs::remove(files[i], ec);
  if (!file_.write(heading_)) {
    fail(path_.string() + " cannot be written");
    return false;
  }
  return true;
}

void SessionRecorder::frame(std::int64_t elapsed_ms, Direction direction, std::string_view bytes) {
  if (failed_) return;
  if (!file_.is_open() && !begin()) return;
  if (!file_.write(trace_line(elapsed_ms, direction, bytes) + "\n")) fail(path_.string() + " cannot be written");
}

}  // namespace lg81xx
