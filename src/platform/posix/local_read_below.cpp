// Reading a file of a folder the user named (an archive): each step below the folder is
// opened from the step above it with O_NOFOLLOW, so no link below the folder is ever
// followed, and only a regular file is read (a FIFO would never end, a device may not).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <vector>

#include "platform/files.h"
#include "platform/posix/descriptor.h"

namespace lg81xx {

std::optional<Bytes> LocalFiles::read_below(const std::filesystem::path& dir, const std::filesystem::path& relative) {
  std::vector<std::string> steps;
  for (const auto& step : relative) steps.push_back(step.string());
  if (relative.is_absolute() || steps.empty()) return std::nullopt;
  Descriptor at(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  for (std::size_t i = 0; at.valid() && i < steps.size(); ++i) {
    if (steps[i].empty() || steps[i] == "." || steps[i] == "..") return std::nullopt;
    const bool last = i + 1 == steps.size();
    const int flags = last ? O_RDONLY | O_NONBLOCK | O_NOCTTY : O_RDONLY | O_DIRECTORY;
    at.reset(::openat(at.get(), steps[i].c_str(), flags | O_NOFOLLOW | O_CLOEXEC));
  }
  struct stat st {};
  if (!at.valid() || ::fstat(at.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  Bytes content;
  std::array<char, 64 * 1024> buffer;
  for (;;) {
    const ssize_t n = ::read(at.get(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) return content;
    content.append(buffer.data(), static_cast<std::size_t>(n));
  }
}

}  // namespace lg81xx
