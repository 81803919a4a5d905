#pragma once
// The "SUONI di Sistema" jobs: a system sound replaced by a file of the computer, and the
// read probe of the first message tone.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "jobs/job_context.h"
#include "jobs/job_outcome.h"

namespace lg81xx {

struct SoundRequest {
  std::string sound;  // mes1 .. batt, as the sound table names them
  std::filesystem::path file;
};

// What must hold before a sound can be replaced: a sound of the table, a model of the
// four, an open port. The window asks before its file dialog; the job asks again.
std::optional<Refusal> check_sound(const Phone& phone, std::string_view sound);

// The file read whole (not empty) and written over the sound on the phone.
JobOutcome<> replace_sound(JobContext& jobs, const SoundRequest& request);

// Asks the phone to open ../MessageTone/Message1.mid for reading; ok when it accepts.
JobOutcome<> read_probe(JobContext& jobs);

}  // namespace lg81xx
