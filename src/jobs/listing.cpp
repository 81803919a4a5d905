#include "jobs/listing.h"

#include "jobs/checks.h"
#include "jobs/endings.h"

namespace lg81xx {

JobOutcome<std::vector<std::string>> list_folder(JobContext& jobs, const std::string& folder) {
  auto& phone = jobs.phone();
  using Entries = std::vector<std::string>;
  if (auto refusal = check_connected(phone)) return refused<Entries>(std::move(*refusal));
  jobs.listener().started();
  auto listed = phone.list_folder(folder);
  if (!listed.ok()) return ended<Entries>(phone, Job::open_folder, listed.result);
  return {JobResult::ok, std::move(listed.value), {}};
}

}  // namespace lg81xx
