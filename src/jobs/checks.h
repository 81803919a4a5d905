#pragma once
// What a job checks before it sends anything: the folder it names, the names it gives the
// phone, what it reads to send, that the phone is there. Each check is written once, here;
// the jobs run them, and the command line runs the same ones before it opens the port.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "jobs/job_outcome.h"
#include "phone/phone.h"
#include "platform/files.h"

namespace lg81xx {

// The folders every phone of `model` has; none for a model of neither family.
std::vector<std::string> model_folders(std::string_view model);

// `folder` must be one of model_folders().
std::optional<Refusal> check_folder(std::string_view model, std::string_view folder);

// A name of something on the phone: its family must hold every character, and its length
// byte must have room for them.
std::optional<Refusal> check_name(std::string_view model, std::string_view name);

// A name for a new file: as check_name, and neither empty, "." or ".." nor holding ":"
// (the separator of the phone's lists) or "/" (it would name another folder).
std::optional<Refusal> check_new_name(std::string_view model, std::string_view name);

// What a job read to send: nothing when the file could not be read, and it must not be
// empty or larger than a transfer can state (check_file_size).
std::optional<Refusal> check_content(const std::optional<Bytes>& content);
// A file of `size` bytes fits the size field of a transfer; the command line asks before
// it reads the file.
std::optional<Refusal> check_file_size(std::uint64_t size);

// The port must be open.
std::optional<Refusal> check_connected(const Phone& phone);

// The part that says why a file could not be saved (or would not be).
MessageId save_problem(SaveResult result);

}  // namespace lg81xx
