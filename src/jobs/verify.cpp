#include "jobs/verify.h"

#include "base/sha256.h"

namespace lg81xx {

FileChecked check_archived_file(Files& files, const std::filesystem::path& dir, const ArchivedFile& record) {
  FileChecked checked{record};
  const auto content = files.read_below(dir, record.file);
  if (!content) {
    checked.state = FileState::missing;
    return checked;
  }
  checked.size = content->size();
  if (checked.size != record.size || sha256_hex(*content) != record.sha256) checked.state = FileState::changed;
  return checked;
}

JobOutcome<ArchiveChecked> verify_archive(Files& files, const std::filesystem::path& dir,
                                          const std::function<void(const FileChecked&)>& each) {
  const auto loaded = load_manifest(files, dir);
  if (loaded.state == ManifestState::none)
    return refused<ArchiveChecked>({JobResult::bad_input, {MessageId::no_archive, ": " + dir.string(), {}}});
  if (loaded.state == ManifestState::unreadable)
    return refused<ArchiveChecked>(
        {JobResult::local_file, {MessageId::archive_unreadable, ": " + (dir / kManifestName).string(), {}}});

  JobOutcome<ArchiveChecked> outcome;
  std::size_t missing = 0;
  for (const auto& record : loaded.manifest.files) {
    const FileChecked checked = check_archived_file(files, dir, record);
    ++outcome.value.checked;
    if (each) each(checked);
    if (checked.state == FileState::intact) continue;
    if (checked.state == FileState::missing) ++missing;
    outcome.value.damaged.push_back(checked);
  }
  const std::string count = std::to_string(outcome.value.checked);
  if (outcome.value.damaged.empty()) {
    outcome.message = Message{MessageId::verify_intact, {}, {count}};
    return outcome;
  }
  outcome.result = JobResult::bad_input;
  const std::size_t changed = outcome.value.damaged.size() - missing;
  outcome.message = Message{MessageId::verify_damaged, {}, {count, std::to_string(missing), std::to_string(changed)}};
  return outcome;
}

}  // namespace lg81xx
