#pragma once
// What can be checked before the phone is connected: the content of a file a job sends,
// the names it gives the phone, the folder it names. Pure over the inputs and the chosen
// model, so the command line asks before it opens the port, and the window's handlers
// ask the same questions and show the same messages.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "phone/outcome.h"

namespace lg81xx {

// Why a job is refused before it starts: the text of its error box, and how it ends
// (bad_input; local_file for a file that cannot be read).
struct Refusal {
  JobResult result = JobResult::bad_input;
  std::string text;
};

// The folders every phone of `model` has; none for a model of neither family.
std::vector<std::string> model_folders(std::string_view model);

// `folder` must be one of model_folders().
std::optional<Refusal> check_folder(std::string_view model, std::string_view folder);

// A name of something on the phone: its family must hold every character, and its length
// byte must have room for them.
std::optional<Refusal> check_name(std::string_view model, std::string_view name);

// A name for a new file: as check_name, and neither empty nor holding ":" (the separator
// of the phone's lists) or "/" (it would name another folder).
std::optional<Refusal> check_new_name(std::string_view model, std::string_view name);

// What a job read to send: nothing when the file could not be read, and it must not be
// empty.
std::optional<Refusal> check_content(const std::optional<Bytes>& content);

}  // namespace lg81xx
