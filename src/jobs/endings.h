#pragma once
// How each job's end reads: one table from the job and its result to its message, and the
// message of a port that does not open.
#include <optional>
#include <string>

#include "jobs/job_outcome.h"
#include "phone/model_family.h"
#include "phone/phone.h"
#include "platform/serial_port.h"

namespace lg81xx {

// The jobs whose endings have messages.
enum class Job { connect, open_folder, java_list, install, replace_sound, download, probe, send_file, restore_sound };

// The message for `job` ending with `result`, or nothing when the end says nothing (a
// question answered no, a folder without a listing request). `family` chooses between
// the two success messages of the Java install.
std::optional<MessageId> ending_message(Job job, JobResult result, Family family = Family::none);

// The outcome of `job` ending with `result` on `phone`, its message followed by `detail`.
// A job the user stopped closes the session first: the phone hears goodbye.
template <class T = std::monostate>
JobOutcome<T> ended(Phone& phone, Job job, JobResult result, T value = {}, const std::string& detail = "") {
  if (result == JobResult::interrupted && phone.is_open()) phone.disconnect();
  JobOutcome<T> outcome{result, std::move(value), std::nullopt};
  if (const auto id = ending_message(job, result, phone.family())) outcome.message = Message{*id, detail, {}};
  return outcome;
}

// What to say when `device` does not open: what went wrong, the device and what to do;
// `reason` (the system's words) where the failure has no name of its own.
Message port_failure_message(PortFailure failure, const std::string& device, const std::string& reason);

}  // namespace lg81xx
