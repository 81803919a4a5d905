// Saving on POSIX: the new content goes into a file created exclusively in the
// destination's folder (O_EXCL and O_NOFOLLOW: nothing already there, a planted link
// included, is ever opened), is flushed, and only then is renamed to the destination.
// Everything is reached through the folder's descriptor, so the folder looked at is the
// folder written to.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "platform/files.h"
#include "platform/posix/descriptor.h"

namespace lg81xx {
namespace {

constexpr int kTempAttempts = 100;

SaveResult folder_error(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return SaveResult::no_folder;
    case EACCES: return SaveResult::folder_not_writable;
    case ENAMETOOLONG: return SaveResult::name_too_long;
    default: return SaveResult::failed;
  }
}

// Why a new file cannot be made in an existing folder. Some file systems (/proc) say
// only that the name does not exist.
SaveResult create_error(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOENT: return SaveResult::folder_not_writable;
    case ENAMETOOLONG: return SaveResult::name_too_long;
    default: return SaveResult::failed;
  }
}

// What stands in the way at `name`: nothing, a regular file the policy keeps, or
// something that is never replaced.
std::optional<SaveResult> obstacle(int folder, const std::string& name, Replace replace) {
  if (name.empty() || name == "." || name == "..") return SaveResult::is_folder;
  const long longest = ::fpathconf(folder, _PC_NAME_MAX);
  if (longest > 0 && name.size() > static_cast<std::size_t>(longest)) return SaveResult::name_too_long;
  struct stat st {};
  if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
    return errno == ENOENT ? std::nullopt : std::optional(folder_error(errno));
  if (S_ISDIR(st.st_mode)) return SaveResult::is_folder;
  if (!S_ISREG(st.st_mode)) return SaveResult::not_a_file;
  if (replace == Replace::never) return SaveResult::exists;
  return std::nullopt;
}

// The destination's folder, opened, and the name in it.
struct Target {
  Descriptor folder{-1};
  std::string name;
};

// Opens the destination's folder; ok when nothing stands in the way at the name.
SaveResult open_target(const std::filesystem::path& destination, Replace replace, Target& target) {
  const auto folder = destination.has_parent_path() ? destination.parent_path() : std::filesystem::path(".");
  target.folder.reset(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!target.folder.valid()) return folder_error(errno);
  target.name = destination.filename().string();
  return obstacle(target.folder.get(), target.name, replace).value_or(SaveResult::ok);
}

// A new empty file in the folder under a fresh name. Mode 0666 goes through the umask,
// so the file gets the permissions of any other file the user makes.
struct Temp {
  Descriptor file{-1};
  std::string name;
};

SaveResult create_temp(int folder, const std::function<std::string()>& names, Temp& temp) {
  for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
    temp.name = names();
    temp.file.reset(::openat(folder, temp.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (temp.file.valid()) return SaveResult::ok;
    if (errno != EEXIST) return create_error(errno);
  }
  return SaveResult::failed;
}

bool write_whole(int fd, const Bytes& content) {
  const char* data = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Puts the complete file in place. A destination that must be kept is never overwritten,
// even one that appeared during the transfer; one that may be replaced is looked at once
// more right before.
SaveResult put_in_place(int folder, const std::string& temp, const std::string& name, Replace replace) {
  if (const auto in_the_way = obstacle(folder, name, replace)) return *in_the_way;
  if (replace == Replace::regular_file)
    return ::renameat(folder, temp.c_str(), folder, name.c_str()) == 0 ? SaveResult::ok : SaveResult::failed;
  if (::renameat2(folder, temp.c_str(), folder, name.c_str(), RENAME_NOREPLACE) == 0) return SaveResult::ok;
  // A file system without RENAME_NOREPLACE: a hard link refuses an existing name as well.
  if ((errno == EINVAL || errno == ENOSYS) && ::linkat(folder, temp.c_str(), folder, name.c_str(), 0) == 0) {
    ::unlinkat(folder, temp.c_str(), 0);
    return SaveResult::ok;
  }
  if (errno == EEXIST) return obstacle(folder, name, replace).value_or(SaveResult::exists);
  return SaveResult::failed;
}

}  // namespace

SaveResult LocalFiles::check_save(const std::filesystem::path& destination, Replace replace) {
  Target target;
  if (const SaveResult found = open_target(destination, replace, target); found != SaveResult::ok) return found;
  // Whether a file can be made there is known only by making one.
  Temp probe;
  if (const SaveResult made = create_temp(target.folder.get(), temp_names_, probe); made != SaveResult::ok) return made;
  ::unlinkat(target.folder.get(), probe.name.c_str(), 0);
  return SaveResult::ok;
}

SaveResult LocalFiles::save(const std::filesystem::path& destination, const Bytes& content, Replace replace) {
  Target target;
  if (const SaveResult found = open_target(destination, replace, target); found != SaveResult::ok) return found;
  const int folder = target.folder.get();
  Temp temp;
  if (const SaveResult made = create_temp(folder, temp_names_, temp); made != SaveResult::ok) return made;
  const bool written = write_whole(temp.file.get(), content) && ::fsync(temp.file.get()) == 0;
  const bool closed = temp.file.close();
  const SaveResult result =
      written && closed ? put_in_place(folder, temp.name, target.name, replace) : SaveResult::failed;
  if (result != SaveResult::ok) {
    ::unlinkat(folder, temp.name.c_str(), 0);
    return result;
  }
  ::fsync(folder);  // the new name itself survives a crash
  return SaveResult::ok;
}

}  // namespace lg81xx
