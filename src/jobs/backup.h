#pragma once
// "Backup del telefono": every folder of the phone (or the ones named) into a local
// folder, DIR/FOLDER/NAME, in one connection. The manifest (archive_manifest.h) records
// each file once it came whole, with exactly the size the phone announced, and was saved;
// it is written anew after each file, so a run cut short leaves only complete files, and
// the next run fetches only what the manifest does not hold yet.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "jobs/archive_manifest.h"
#include "jobs/connect.h"
#include "jobs/job_context.h"
#include "jobs/job_outcome.h"
#include "phone/model_family.h"

namespace lg81xx {

struct BackupRequest {
  std::filesystem::path dir;         // a folder that exists
  std::vector<std::string> folders;  // empty: every folder the connect found
  // Every entry fetched again; one whose bytes changed is kept beside the older version
  // ("name (2).ext"), both recorded.
  bool refresh = false;
  // Another phone's archive (another IMEI, or another model) is added to all the same.
  bool force = false;
  std::function<std::string()> now = utc_now_iso8601;  // what a record's "saved" says
};

// One entry the run tried, as it ended.
struct EntryArchived {
  std::string folder;
  std::string name;  // empty: the folder itself could not be listed
  std::string file;  // its path in the archive, once saved
  JobResult result = JobResult::ok;
  SaveResult saved = SaveResult::ok;  // what the file's side met, for a local_file result
  std::uint64_t size = 0;
  bool beside = false;  // a refresh found it changed: saved beside the older version
};

struct BackupReport {
  std::size_t added = 0;     // files saved and recorded by this run
  std::size_t archived = 0;  // entries the archive already held (with --refresh: unchanged)
  std::vector<EntryArchived> failed;
  std::size_t not_tried = 0;  // entries left when the run ended early
};

// What the archive in `dir` would meet before the phone is asked anything: a manifest
// that cannot be read, a manifest that cannot be written.
std::optional<Refusal> check_archive_folder(Files& files, const std::filesystem::path& dir);

// The archive in `request.dir` completed from the phone that `facts` describe. `each`
// hears of every entry tried, as it ends. A cancel, or a phone that no longer answers,
// ends the run; what is recorded stays true. The result is the first failure's (a
// cancel's when the run was stopped); the message, the summary.
JobOutcome<BackupReport> back_up(JobContext& jobs, const PhoneFacts& facts, const BackupRequest& request,
                                 const std::function<void(const EntryArchived&)>& each = {});

// Why `entry` was not archived, in the system's words.
std::string why_not_archived(const EntryArchived& entry, Family family);

// "N nuovi, M già archiviati, K non salvati: Images/a.jpg (why), ...".
Message backup_summary(const BackupReport& report, Family family);

}  // namespace lg81xx
