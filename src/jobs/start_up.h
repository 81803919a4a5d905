#pragma once
// The program folder made ready at every start: the archive component, LG81XX.ini, and the
// emulation classes unpacked from emu.zip at a first start or while their folder is missing.
#include <filesystem>

#include "jobs/job_context.h"
#include "jobs/job_outcome.h"

namespace lg81xx {

// local_file, with its message, when the program cannot work from `home`; an archive that
// holds no folder "emu" is a warning to the listener.
JobOutcome<> start_up(JobContext& jobs, const std::filesystem::path& home);

}  // namespace lg81xx
