#pragma once
// "Invia file al telefono": any file of the computer into a folder of the phone, through
// the upload engine that installs applications and replaces sounds.
#include <optional>
#include <string>
#include <string_view>

#include "jobs/job_context.h"
#include "jobs/job_outcome.h"

namespace lg81xx {

struct SendRequest {
  std::string folder;
  std::string name;  // its name on the phone
  Bytes content;
  WhenExists when_exists = WhenExists::ask;  // a file of that name already in the folder
};

// What the phone cannot take, found before anything is sent: a folder the model does
// not have, a name it cannot hold, an empty file; and a .jad, .jar or .mnf (any case)
// into the folder Java, which only an install writes.
std::optional<Refusal> check_send(std::string_view model, const SendRequest& request);

// The folder is read first, as the phone writes over a file of the same name without a
// word; ok once the phone acknowledged the whole file.
JobOutcome<> send_file(JobContext& jobs, const SendRequest& request);

}  // namespace lg81xx
