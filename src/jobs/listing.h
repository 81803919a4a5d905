#pragma once
// A folder of the phone listed: its entries, as the phone names them.
#include <string>
#include <vector>

#include "jobs/job_context.h"
#include "jobs/job_outcome.h"

namespace lg81xx {

JobOutcome<std::vector<std::string>> list_folder(JobContext& jobs, const std::string& folder);

}  // namespace lg81xx
