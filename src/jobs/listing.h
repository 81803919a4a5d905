#pragma once
// A folder of the phone listed: its entries, as the phone names them. A folder the model
// has no listing request for (one a phone reports beyond the usual ones) ends bad_input,
// with nothing sent and nothing to say; the command line refuses a folder name the model
// does not have with check_folder before it connects.
#include <string>
#include <vector>

#include "jobs/job_context.h"
#include "jobs/job_outcome.h"

namespace lg81xx {

JobOutcome<std::vector<std::string>> list_folder(JobContext& jobs, const std::string& folder);

}  // namespace lg81xx
