#pragma once
// The phone's files in its storage folder, read and written. A file is reached from the
// storage folder one folder at a time, each opened through the descriptor of the one before
// and never through a symbolic link, and no folder is ever made: a target whose folders are
// missing, that passes through a link or that is a link itself is refused, so nothing
// outside the storage is ever read or written.
#include <filesystem>
#include <optional>
#include <string>

#include "base/bytes.h"

namespace lg81xx::sim {

// The whole content of the regular file `target` (inside `storage`, as PhoneContext::resolve
// gives it); nothing when there is none, or not without following a link.
std::optional<Bytes> load_file(const std::filesystem::path& storage, const std::filesystem::path& target);

// True when `target` (inside `storage`, as PhoneContext::resolve gives it) can take a new
// file: its folders are there, none a link, and the name is free or a regular file.
// Otherwise false, with `why` set.
bool can_store(const std::filesystem::path& storage, const std::filesystem::path& target, std::string& why);

// Writes `content` to `target` through a new file renamed into place, replacing a regular
// file of that name; false, with `why` set, when it cannot (nothing is left behind then).
bool store_file(const std::filesystem::path& storage, const std::filesystem::path& target, const Bytes& content,
                std::string& why);

}  // namespace lg81xx::sim
