#pragma once
// "Ripristina dal backup": the archived files sent back to the phone that does not hold
// them, each checked against its size and SHA-256 before it goes. An entry of the same
// name on the phone is kept unless WhenExists says otherwise. The folder Java is not
// restored file by file: its applications are installed again from the archived JAD and
// JAR. Of an entry archived in several versions, the last one goes back.
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

struct RestoreRequest {
  std::filesystem::path dir;
  std::vector<std::string> folders;           // empty: every folder of the archive
  WhenExists when_exists = WhenExists::keep;  // an entry of that name already on the phone
};

struct EntryRestored {
  ArchivedFile record;
  JobResult result = JobResult::ok;
  std::optional<MessageId> why;  // what kept it from going, when the phone was not at fault
  bool kept = false;             // the phone held one of that name, and keeps it
};

struct RestoreReport {
  std::size_t sent = 0;
  std::vector<EntryRestored> kept;
  std::vector<EntryRestored> failed;
  std::size_t not_tried = 0;  // files left when the run ended early
};

// What the archive must be before the phone is asked anything: there, with a manifest
// that reads.
std::optional<Refusal> check_archive_to_restore(Files& files, const std::filesystem::path& dir);

// The archive's files sent to the phone that `facts` describe. `each` hears of every
// file as it ends. A cancel, or a phone that no longer answers, ends the run. The result
// is the first failure's (a cancel's when the run was stopped); the message, the summary.
JobOutcome<RestoreReport> restore_archive(JobContext& jobs, const PhoneFacts& facts, const RestoreRequest& request,
                                          const std::function<void(const EntryRestored&)>& each = {});

std::string why_not_restored(const EntryRestored& entry, Family family);

// "N file inviati, M già presenti sul telefono, K non inviati: Images/a.jpg (why), ...".
Message restore_summary(const RestoreReport& report, Family family);

}  // namespace lg81xx
