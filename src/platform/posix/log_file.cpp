// A new file is made with O_EXCL and O_NOFOLLOW, so neither a file nor a planted link that
// is already there is ever opened; an existing file that may be replaced is opened without
// following a link and without blocking on a FIFO, and judged by what the descriptor
// itself is before a byte of it changes.
#include "platform/posix/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace lg81xx {
namespace {

LogFileProblem create_problem(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return LogFileProblem::no_folder;
    case EISDIR: return LogFileProblem::is_folder;
    case ELOOP:
    case ENXIO: return LogFileProblem::not_a_file;
    default: return LogFileProblem::not_writable;
  }
}

bool same_file(const struct stat& st, const struct stat& other) {
  return other.st_dev == st.st_dev && other.st_ino == st.st_ino;
}

// Whether `st` is the input `path` or, when that is a folder (an archive), a file below it.
bool is_input(const struct stat& st, const std::filesystem::path& path) {
  struct stat o {};
  if (::stat(path.c_str(), &o) != 0) return false;
  if (same_file(st, o)) return true;
  if (!S_ISDIR(o.st_mode)) return false;
  std::error_code ec;
  for (std::filesystem::recursive_directory_iterator
           it(path, std::filesystem::directory_options::skip_permission_denied, ec),
       end;
       !ec && it != end; it.increment(ec))
    if (::lstat(it->path().c_str(), &o) == 0 && same_file(st, o)) return true;
  return false;
}

}  // namespace

LogFile::~LogFile() { close(); }

LogFileProblem LogFile::open(const std::filesystem::path& path, const LogFileRules& rules) {
  close();
  good_ = true;
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, rules.mode);
  if (fd < 0 && errno != EEXIST) return create_problem(errno);
  if (fd < 0) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return create_problem(errno);
    if (S_ISDIR(st.st_mode)) return LogFileProblem::is_folder;
    if (!S_ISREG(st.st_mode)) return LogFileProblem::not_a_file;
    for (const auto& input : rules.inputs)
      if (is_input(st, input)) return LogFileProblem::is_input;
    if (!rules.replace) return LogFileProblem::exists;
    fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return create_problem(errno);
    // What was opened is judged, not what the name showed a moment before.
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_dev != st.st_dev ||
        opened.st_ino != st.st_ino || ::ftruncate(fd, 0) != 0) {
      ::close(fd);
      return LogFileProblem::not_a_file;
    }
  }
  fd_ = fd;
  return LogFileProblem::none;
}

bool LogFile::write(std::string_view text) {
  while (good_ && fd_ >= 0 && !text.empty()) {
    const ssize_t n = ::write(fd_, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      good_ = false;
    else
      text.remove_prefix(static_cast<std::size_t>(n));
  }
  return good_ && fd_ >= 0;
}

bool LogFile::close() {
  if (fd_ < 0) return good_;
  if (::close(fd_) != 0) good_ = false;
  fd_ = -1;
  return good_;
}

std::string_view log_file_problem_text(LogFileProblem problem) {
  switch (problem) {
    case LogFileProblem::none: return "";
    case LogFileProblem::exists: return "is already there: replace it with --force, or name another";
    case LogFileProblem::not_a_file: return "is a link, a FIFO or a device: never written";
    case LogFileProblem::is_folder: return "is a folder";
    case LogFileProblem::no_folder: return "is in a folder that does not exist";
    case LogFileProblem::not_writable: return "cannot be made: its folder takes no new file";
    case LogFileProblem::is_input: return "is a file this command reads: never written";
  }
  return "";
}

}  // namespace lg81xx
