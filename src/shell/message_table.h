#pragma once
// What the window says when a job ends: one table from the job and its result to the
// message box's text, style and title.
#include <optional>
#include <string>

#include "phone/model_family.h"
#include "phone/outcome.h"
#include "platform/serial_port.h"
#include "platform/user_interface.h"

namespace lg81xx {

// The jobs whose endings the window reports.
enum class Job { connect, open_folder, java_list, install, replace_sound, download, probe, send_file };

struct Message {
  const char* text;
  MessageStyle style;
  const char* title;
};

// The message for `job` ending with `result`, or nothing when the window says nothing.
// `family` chooses between the two success messages of the Java install.
std::optional<Message> message_for(Job job, JobResult result, Family family = Family::none);

// The text of the error box when `device` does not open: what went wrong, the device and
// what to do; `reason` (the system's words) where the failure has no name of its own.
std::string port_failure_text(PortFailure failure, const std::string& device, const std::string& reason);

}  // namespace lg81xx
