#include "storage_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/posix/descriptor.h"

namespace lg81xx::sim {
namespace {

namespace fs = std::filesystem;

// What stands at `name` in `folder`, for a refusal: a link, a folder, something else.
std::string what_is(int folder, const std::string& name) {
  struct stat st {};
  if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
    return errno == ENOENT ? "missing" : std::strerror(errno);
  if (S_ISLNK(st.st_mode)) return "a symbolic link";
  if (S_ISDIR(st.st_mode)) return "a folder";
  if (S_ISREG(st.st_mode)) return "a file";
  return "not a regular file";
}

// The folder that holds the target's name, opened from the storage down, and that name.
struct Place {
  Descriptor folder;
  std::string name;
};

bool open_place(const fs::path& storage, const fs::path& target, Place& place, std::string& why) {
  const fs::path relative = target.lexically_normal().lexically_relative(storage.lexically_normal());
  std::vector<std::string> parts;
  for (const auto& part : relative) parts.push_back(part.string());
  for (const auto& part : parts)
    if (part.empty() || part == "." || part == "..") {
      why = "not a name inside the storage: " + target.string();
      return false;
    }
  if (parts.empty()) {
    why = "no file name";
    return false;
  }
  // The storage folder itself is the user's choice: reached as given.
  place.folder.reset(::open(storage.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!place.folder.valid()) {
    why = "cannot open the storage " + storage.string() + ": " + std::strerror(errno);
    return false;
  }
  std::string walked;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    walked += parts[i] + "/";
    const int next = ::openat(place.folder.get(), parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0) {
      why = "the folder " + walked + " is " + what_is(place.folder.get(), parts[i]) + " (folders are never made)";
      return false;
    }
    place.folder.reset(next);
  }
  place.name = parts.back();
  return true;
}

// Nothing at the name, or a regular file that a new one replaces.
bool name_takes_a_file(const Place& place, std::string& why) {
  const std::string what = what_is(place.folder.get(), place.name);
  if (what == "missing" || what == "a file") return true;
  why = place.name + " is " + what;
  return false;
}

std::optional<Bytes> read_whole(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  Bytes content;
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) return content;
    content.append(buffer, static_cast<std::size_t>(n));
  }
}

bool write_whole(int fd, const Bytes& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string temp_name() {
  static std::atomic<unsigned> count{0};
  return ".lg81xx-sim-" + std::to_string(::getpid()) + "-" + std::to_string(count++);
}

}  // namespace

std::optional<Bytes> load_file(const fs::path& storage, const fs::path& target) {
  Place place;
  std::string why;
  if (!open_place(storage, target, place, why)) return std::nullopt;
  // Not blocking: a fifo at the name would otherwise hold the phone until a writer comes.
  const Descriptor file(
      ::openat(place.folder.get(), place.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  return file.valid() ? read_whole(file.get()) : std::nullopt;
}

bool can_store(const fs::path& storage, const fs::path& target, std::string& why) {
  Place place;
  return open_place(storage, target, place, why) && name_takes_a_file(place, why);
}

bool store_file(const fs::path& storage, const fs::path& target, const Bytes& content, std::string& why) {
  Place place;
  if (!open_place(storage, target, place, why) || !name_takes_a_file(place, why)) return false;
  const int folder = place.folder.get();
  const std::string temp = temp_name();
  Descriptor file(::openat(folder, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!file.valid()) {
    why = "cannot make a file in the folder of " + target.string() + ": " + std::strerror(errno);
    return false;
  }
  const bool written = write_whole(file.get(), content) && file.close();
  // Looked at once more right before: what appeared at the name meanwhile is never replaced.
  const bool placed =
      written && name_takes_a_file(place, why) && ::renameat(folder, temp.c_str(), folder, place.name.c_str()) == 0;
  if (!placed) {
    ::unlinkat(folder, temp.c_str(), 0);
    if (why.empty()) why = "cannot write " + target.string();
  }
  return placed;
}

}  // namespace lg81xx::sim
