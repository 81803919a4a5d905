#pragma once
// An archive checked against its manifest: every file read whole, its size and SHA-256
// computed again. Nothing is sent to a phone.
#include <filesystem>
#include <functional>
#include <vector>

#include "jobs/archive_manifest.h"
#include "jobs/job_outcome.h"

namespace lg81xx {

enum class FileState { intact, missing, changed };

struct FileChecked {
  ArchivedFile record;
  FileState state = FileState::intact;
  std::uint64_t size = 0;  // what the file holds now (changed)
};

// How the file `record` names in `dir` stands now.
FileChecked check_archived_file(Files& files, const std::filesystem::path& dir, const ArchivedFile& record);

struct ArchiveChecked {
  std::size_t checked = 0;
  std::vector<FileChecked> damaged;  // missing or changed, in the manifest's order
};

// ok when every file the manifest records is there, whole and unchanged; bad_input, with
// the damaged ones, otherwise; no archive or a manifest that cannot be read ends it with
// its message. `each` hears of every file as it is checked.
JobOutcome<ArchiveChecked> verify_archive(Files& files, const std::filesystem::path& dir,
                                          const std::function<void(const FileChecked&)>& each = {});

}  // namespace lg81xx
