#pragma once
// A ZIP archive made in memory from named contents, for a report to be saved whole
// (Files::save) where the user asked.
#include <optional>
#include <string>
#include <vector>

#include "base/bytes.h"

namespace lg81xx {

struct ZipEntry {
  std::string name;  // UTF-8, "/" between folders
  Bytes content;
};

// The archive holding `entries` in their order, compressed. Nothing when there are no
// entries (libzip writes no empty archive), when a name is empty, repeated or leaves
// the archive's folder (is_safe_entry_name), or when libzip fails.
std::optional<Bytes> zip_archive(const std::vector<ZipEntry>& entries);

}  // namespace lg81xx
