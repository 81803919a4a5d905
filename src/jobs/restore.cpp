#include "jobs/restore.h"

#include <algorithm>
#include <map>

#include "base/name_escapes.h"
#include "base/sha256.h"
#include "jobs/checks.h"
#include "jobs/endings.h"
#include "jobs/listing.h"

namespace lg81xx {
namespace {

constexpr std::string_view kJava = "Java";

// The last version of each entry of `folders` (all when empty), grouped by folder in
// the order the archive first names them.
std::vector<std::vector<ArchivedFile>> latest_by_folder(const ArchiveManifest& manifest,
                                                        const std::vector<std::string>& folders) {
  std::vector<std::vector<ArchivedFile>> groups;
  std::map<std::string, std::size_t> group_of;
  std::map<std::pair<std::string, std::string>, std::pair<std::size_t, std::size_t>> place_of;
  for (const auto& record : manifest.files) {
    if (!folders.empty() && std::find(folders.begin(), folders.end(), record.folder) == folders.end()) continue;
    if (const auto placed = place_of.find({record.folder, record.name}); placed != place_of.end()) {
      groups[placed->second.first][placed->second.second] = record;
      continue;
    }
    const auto [group, fresh] = group_of.try_emplace(record.folder, groups.size());
    if (fresh) groups.emplace_back();
    auto& files = groups[group->second];
    place_of[{record.folder, record.name}] = {group->second, files.size()};
    files.push_back(record);
  }
  return groups;
}

// Why `record` cannot go as it is: its file gone or changed since it was archived, a name
// the phone cannot take, nothing in it. `content` holds its bytes otherwise.
std::optional<MessageId> unsendable(JobContext& jobs, const std::filesystem::path& dir, const ArchivedFile& record,
                                    std::optional<Bytes>& content) {
  content = jobs.files().read_below(dir, record.file);
  if (!content) return MessageId::file_missing;
  if (content->size() != record.size || sha256_hex(*content) != record.sha256) return MessageId::damaged_in_archive;
  if (auto refusal = check_new_name(jobs.phone().model(), record.name)) return refusal->message.id;
  if (content->empty()) return MessageId::empty_file;  // the phone is never sent an empty file
  return std::nullopt;
}

}  // namespace

std::optional<Refusal> check_archive_to_restore(Files& files, const std::filesystem::path& dir) {
  const auto loaded = load_manifest(files, dir);
  if (loaded.state == ManifestState::none)
    return Refusal{JobResult::bad_input, {MessageId::no_archive, ": " + dir.string(), {}}};
  if (loaded.state == ManifestState::unreadable)
    return Refusal{JobResult::local_file, {MessageId::archive_unreadable, ": " + (dir / kManifestName).string(), {}}};
  return std::nullopt;
}

JobOutcome<RestoreReport> restore_archive(JobContext& jobs, const PhoneFacts& facts, const RestoreRequest& request,
                                          const std::function<void(const EntryRestored&)>& each) {
  auto& phone = jobs.phone();
  if (auto refusal = check_connected(phone)) return refused<RestoreReport>(std::move(*refusal));
  if (auto refusal = check_archive_to_restore(jobs.files(), request.dir))
    return refused<RestoreReport>(std::move(*refusal));
  auto groups = latest_by_folder(load_manifest(jobs.files(), request.dir).manifest, request.folders);

  // The applications go back with an install each, from their archived JAD and JAR.
  const auto java = std::find_if(groups.begin(), groups.end(), [](const auto& g) { return g.front().folder == kJava; });
  if (java != groups.end()) {
    std::string files;
    for (const auto& record : *java) files += (files.empty() ? ": " : ", ") + record.file;
    jobs.listener().notice({MessageId::java_not_restored, files, {}});
    groups.erase(java);
  }
  std::size_t total = 0;
  for (const auto& group : groups) total += group.size();

  JobOutcome<RestoreReport> outcome;
  RestoreReport& report = outcome.value;
  std::size_t done = 0;
  // Every file ends here; false when the run ends with it.
  const auto ended_with = [&](EntryRestored entry) {
    ++done;
    if (entry.kept)
      report.kept.push_back(entry);
    else if (entry.result == JobResult::ok)
      ++report.sent;
    else if (outcome.result == JobResult::ok || entry.result == JobResult::interrupted)
      outcome.result = entry.result;
    if (!entry.kept && entry.result != JobResult::ok) report.failed.push_back(entry);
    if (each) each(entry);
    if (!ends_run(entry.result)) return true;
    report.not_tried = total - done;
    return false;
  };
  const auto finish = [&] {
    jobs.count_files(1, 1);
    outcome.message = restore_summary(report, phone.family());
    return outcome;
  };

  for (const auto& group : groups) {
    const std::string& folder = group.front().folder;
    if (std::find(facts.folders.begin(), facts.folders.end(), folder) == facts.folders.end()) {
      for (const auto& record : group)
        ended_with({record, JobResult::bad_input, MessageId::folder_not_on_phone, false});
      continue;
    }
    // The phone writes over a file of the same name without a word: its folder is read
    // first.
    const auto listed = list_folder(jobs, folder);
    for (std::size_t i = 0; !listed.ok() && i < group.size(); ++i)
      if (!ended_with({group[i], listed.result, std::nullopt, false})) return finish();
    if (!listed.ok()) continue;
    for (const auto& record : group) {
      jobs.count_files(done + 1, total);
      std::optional<Bytes> content;
      EntryRestored entry{record, JobResult::ok, std::nullopt, false};
      if (const auto why = unsendable(jobs, request.dir, record, content)) {
        entry.result = JobResult::bad_input;
        entry.why = why;
      } else if (std::find(listed.value.begin(), listed.value.end(), record.name) != listed.value.end() &&
                 !may_replace(jobs.listener(), request.when_exists,
                              {MessageId::replace_on_phone, " " + folder + "/" + record.name + "?", {}})) {
        entry.kept = true;
      } else {
        LineHold line(phone);
        entry.result = ended(phone, Job::send_file, phone.upload({folder, record.name}, *content)).result;
      }
      if (!ended_with(std::move(entry))) return finish();
    }
  }
  return finish();
}

std::string why_not_restored(const EntryRestored& entry, Family family) {
  if (entry.kept) return italian(MessageId::kept_on_phone);
  if (entry.why) return catalogue(*entry.why).italian;
  const auto message = ending_message(Job::send_file, entry.result, family);
  return message ? catalogue(*message).italian : italian(MessageId::not_tried);
}

Message restore_summary(const RestoreReport& report, Family family) {
  std::string detail;
  const auto name = [&](const EntryRestored& entry) {
    detail += (detail.empty() ? ": " : ", ") + quoted_name(entry.record.folder + "/" + entry.record.name) + " (" +
              why_not_restored(entry, family) + ")";
  };
  std::for_each(report.failed.begin(), report.failed.end(), name);
  std::for_each(report.kept.begin(), report.kept.end(), name);
  if (report.not_tried > 0)
    detail +=
        (detail.empty() ? ": " : ", ") + std::to_string(report.not_tried) + " " + italian(MessageId::not_tried_count);
  const std::size_t failed = report.failed.size() + report.not_tried;
  return {failed == 0 ? MessageId::restore_done : MessageId::restore_not_all_sent,
          detail,
          {std::to_string(report.sent), std::to_string(report.kept.size()), std::to_string(failed)}};
}

}  // namespace lg81xx
