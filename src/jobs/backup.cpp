#include "jobs/backup.h"

#include <algorithm>
#include <set>

#include "base/name_escapes.h"
#include "base/sha256.h"
#include "jobs/checks.h"
#include "jobs/endings.h"
#include "jobs/fetch.h"
#include "jobs/listing.h"
#include "jobs/safe_file_name.h"

namespace lg81xx {
namespace fs = std::filesystem;
namespace {

// How many numbered names ("name (2).ext" ...) a file is tried under before the run gives
// up on it: files the archive does not know are never replaced.
constexpr int kMostNumbers = 1000;

Message cannot_write(const fs::path& path, SaveResult problem) {
  return {MessageId::file_write_failed, ": " + path.string() + " (" + italian(save_problem(problem)) + ")", {}};
}

// Whether the archive is this phone's: the same IMEI, or, with an IMEI unknown on either
// side, the same model. The record of the phone is brought up to date with what the
// connect read; a forced run leaves it to the archive's own phone.
std::optional<Refusal> match_phone(ArchivedPhone& recorded, const PhoneFacts& facts, const std::string& model,
                                   bool force, JobListener& listener) {
  const std::string imei = facts.imei.value_or("");  // read whole or not at all
  const bool fresh = recorded.model.empty();
  const bool imeis_known = !recorded.imei.empty() && !imei.empty();
  const bool another = !fresh && (imeis_known ? recorded.imei != imei : recorded.model != model);
  if (another && !force) {
    const std::string whose = imeis_known ? "IMEI " + recorded.imei : recorded.model;
    return Refusal{JobResult::bad_input, {MessageId::archive_of_another_phone, " " + whose, {}}};
  }
  // Only this run's IMEI is said to be unread: an archive made without one takes the IMEI
  // read now.
  if (imei.empty()) listener.notice({MessageId::archive_imei_not_read, {}, {}});
  if (another) return std::nullopt;
  recorded.model = model;
  recorded.information = facts.information;
  if (!imei.empty()) recorded.imei = imei;
  return std::nullopt;
}

class Backup {
 public:
  Backup(JobContext& jobs, const BackupRequest& request, ArchiveManifest manifest)
      : jobs_(jobs), request_(request), manifest_(std::move(manifest)) {
    for (const auto& f : manifest_.files) taken_.insert(f.file);
  }

  // One entry fetched, checked, saved under a name of its own and recorded. `stop` is set
  // when the manifest can no longer be written.
  EntryArchived archive(const ObjectName& entry, bool& unchanged, bool& stop) {
    EntryArchived done;
    done.folder = entry.folder;
    done.name = entry.file;
    const auto local_folder = safe_file_name(entry.folder);
    const auto local_name = safe_file_name(entry.file);
    if (!local_folder || !local_name) {
      done.result = JobResult::bad_input;
      return done;
    }
    const auto got = fetch_entry(jobs_, entry);
    done.result = got.result;
    if (!got.ok()) return done;
    const std::string digest = sha256_hex(got.value);
    const auto& files = manifest_.files;
    if (std::any_of(files.begin(), files.end(), [&](const ArchivedFile& f) {
          return f.folder == entry.folder && f.name == entry.file && f.size == got.value.size() && f.sha256 == digest;
        })) {
      unchanged = true;
      return done;
    }
    done.beside = manifest_.holds(entry.folder, entry.file);
    if (!save(done, *local_folder, *local_name, got.value)) return done;
    done.size = got.value.size();
    manifest_.files.push_back({entry.folder, entry.file, done.file, done.size, digest, request_.now()});
    if (const SaveResult written = save_manifest(jobs_.files(), request_.dir, manifest_); written != SaveResult::ok) {
      // Nothing unrecorded stays behind, and nothing more is fetched that could not be
      // recorded either.
      manifest_.files.pop_back();
      jobs_.files().remove(request_.dir / done.file);
      done.file = kManifestName;
      done.result = JobResult::local_file;
      done.saved = written;
      done.size = 0;
      stop = true;
    }
    return done;
  }

  const ArchiveManifest& manifest() const { return manifest_; }

 private:
  // Saves `content` as DIR/FOLDER/NAME, numbered where that name is the archive's already
  // or a file is there; false, with the problem in `done`, when it cannot be saved.
  bool save(EntryArchived& done, const std::string& folder, const std::string& name, const Bytes& content) {
    Files& files = jobs_.files();
    // A link in place of the folder would lead the files out of the archive.
    std::error_code ec;
    const bool link = fs::is_symlink(request_.dir / folder, ec);
    if (link || !files.make_folders(request_.dir / folder)) {
      done.result = JobResult::local_file;
      done.saved = link ? SaveResult::not_a_file : SaveResult::no_folder;
      done.file = folder;
      return false;
    }
    for (int number = 1; number <= kMostNumbers; ++number) {
      const std::string file = folder + "/" + (number == 1 ? name : numbered_file_name(name, number));
      if (taken_.contains(file)) continue;
      const SaveResult saved = files.save(request_.dir / file, content, Replace::never);
      if (saved == SaveResult::exists) {
        taken_.insert(file);
        continue;
      }
      done.file = file;
      if (saved != SaveResult::ok) {
        done.result = JobResult::local_file;
        done.saved = saved;
        return false;
      }
      taken_.insert(file);
      return true;
    }
    done.result = JobResult::local_file;
    done.saved = SaveResult::exists;
    return false;
  }

  JobContext& jobs_;
  const BackupRequest& request_;
  ArchiveManifest manifest_;
  std::set<std::string> taken_;  // paths in the archive that hold a file
};

}  // namespace

std::optional<Refusal> check_archive_folder(Files& files, const fs::path& dir) {
  if (load_manifest(files, dir).state == ManifestState::unreadable)
    return Refusal{JobResult::local_file, {MessageId::archive_unreadable, ": " + (dir / kManifestName).string(), {}}};
  const fs::path manifest = dir / kManifestName;
  if (const SaveResult met = files.check_save(manifest, Replace::regular_file); met != SaveResult::ok)
    return Refusal{JobResult::local_file, cannot_write(manifest, met)};
  return std::nullopt;
}

JobOutcome<BackupReport> back_up(JobContext& jobs, const PhoneFacts& facts, const BackupRequest& request,
                                 const std::function<void(const EntryArchived&)>& each) {
  auto& phone = jobs.phone();
  if (auto refusal = check_connected(phone)) return refused<BackupReport>(std::move(*refusal));
  if (auto refusal = check_archive_folder(jobs.files(), request.dir)) return refused<BackupReport>(std::move(*refusal));
  ArchiveManifest manifest = load_manifest(jobs.files(), request.dir).manifest;
  if (auto refusal = match_phone(manifest.phone, facts, phone.model(), request.force, jobs.listener()))
    return refused<BackupReport>(std::move(*refusal));
  const std::vector<std::string>& folders = request.folders.empty() ? facts.folders : request.folders;
  for (const auto& folder : folders)
    if (std::find(facts.folders.begin(), facts.folders.end(), folder) == facts.folders.end())
      return refused<BackupReport>({JobResult::bad_input, {MessageId::no_such_folder, ": " + folder, {}}});
  // The archive exists, with its phone, before the first file is fetched.
  if (const SaveResult written = save_manifest(jobs.files(), request.dir, manifest); written != SaveResult::ok)
    return refused<BackupReport>({JobResult::local_file, cannot_write(request.dir / kManifestName, written)});

  JobOutcome<BackupReport> outcome;
  BackupReport& report = outcome.value;
  const auto failed = [&](const EntryArchived& entry) {
    if (outcome.result == JobResult::ok || entry.result == JobResult::interrupted) outcome.result = entry.result;
    report.failed.push_back(entry);
  };
  const auto finish = [&] {
    jobs.count_files(1, 1);
    outcome.message = backup_summary(report, phone.family());
    return outcome;
  };

  // Every folder is listed first, so that each transfer knows how many are to come.
  std::vector<ObjectName> wanted;
  for (const auto& folder : folders) {
    const auto listed = list_folder(jobs, folder);
    if (!listed.ok()) {
      EntryArchived unlisted;
      unlisted.folder = folder;
      unlisted.result = listed.result;
      failed(unlisted);
      if (each) each(report.failed.back());
      if (ends_run(listed.result)) return finish();
      continue;
    }
    for (const auto& name : listed.value) {
      if (name.empty()) continue;  // what a listing that ends with ":" leaves
      if (!request.refresh && manifest.holds(folder, name))
        ++report.archived;
      else
        wanted.push_back({folder, name});
    }
  }

  Backup backup(jobs, request, std::move(manifest));
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    jobs.count_files(i + 1, wanted.size());
    bool unchanged = false;
    bool stop = false;
    const EntryArchived done = backup.archive(wanted[i], unchanged, stop);
    if (unchanged)
      ++report.archived;
    else if (done.result == JobResult::ok)
      ++report.added;
    else
      failed(done);
    if (each && !unchanged) each(done);
    if (stop || ends_run(done.result)) {
      report.not_tried = wanted.size() - i - 1;
      break;
    }
  }
  return finish();
}

std::string why_not_archived(const EntryArchived& entry, Family family) {
  switch (entry.result) {
    case JobResult::local_file: return italian(save_problem(entry.saved));
    case JobResult::bad_input:
      return italian(entry.name.empty() ? MessageId::not_downloaded : MessageId::unusable_name);
    default: break;
  }
  const auto message = ending_message(entry.name.empty() ? Job::open_folder : Job::download, entry.result, family);
  return message ? catalogue(*message).italian : italian(MessageId::not_downloaded);
}

Message backup_summary(const BackupReport& report, Family family) {
  std::string detail;
  for (const auto& entry : report.failed)
    detail += (detail.empty() ? ": " : ", ") +
              quoted_name(entry.name.empty() ? entry.folder : entry.folder + "/" + entry.name) + " (" +
              why_not_archived(entry, family) + ")";
  if (report.not_tried > 0)
    detail +=
        (detail.empty() ? ": " : ", ") + std::to_string(report.not_tried) + " " + italian(MessageId::not_tried_count);
  const std::size_t failed = report.failed.size() + report.not_tried;
  return {failed == 0 ? MessageId::backup_done : MessageId::backup_not_all_saved,
          detail,
          {std::to_string(report.added), std::to_string(report.archived), std::to_string(failed)}};
}

}  // namespace lg81xx
