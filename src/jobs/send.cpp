#include "jobs/send.h"

#include <algorithm>
#include <cctype>

#include "jobs/checks.h"
#include "jobs/endings.h"

namespace lg81xx {

namespace {

// A descriptor, archive or manifest of the folder Java: the phone runs what it finds
// there, so only an install, which checks the pair and numbers it, writes them.
bool is_application_file(std::string_view folder, std::string_view name) {
  if (folder != "Java" || name.size() < 4) return false;
  std::string extension(name.substr(name.size() - 4));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".jad" || extension == ".jar" || extension == ".mnf";
}

}  // namespace

std::optional<Refusal> check_send(std::string_view model, const SendRequest& request) {
  for (auto refusal :
       {check_folder(model, request.folder), check_new_name(model, request.name), check_content(request.content)})
    if (refusal) return refusal;
  if (is_application_file(request.folder, request.name))
    return Refusal{JobResult::bad_input, {MessageId::application_file, {}, {"Java/" + request.name}}};
  return std::nullopt;
}

JobOutcome<> send_file(JobContext& jobs, const SendRequest& request) {
  auto& phone = jobs.phone();
  if (auto refusal = check_send(phone.model(), request)) return refused(std::move(*refusal));
  if (auto refusal = check_connected(phone)) return refused(std::move(*refusal));
  jobs.listener().started();
  LineHold line(phone);  // free again however the job ends
  const auto entries = phone.list_folder(request.folder);
  if (!entries.ok()) return ended(phone, Job::send_file, entries.result);
  const std::string target = request.folder + "/" + request.name;
  // The question waits with the line free: a keep-alive may go out while it is open.
  phone.free_line();
  if (std::find(entries.value.begin(), entries.value.end(), request.name) != entries.value.end() &&
      !may_replace(jobs.listener(), request.when_exists, {MessageId::replace_on_phone, " " + target + "?", {}}))
    return {JobResult::cancelled, {}, {}};
  phone.hold_line();
  const JobResult result = phone.upload({request.folder, request.name}, request.content);
  if (result != JobResult::ok) return ended(phone, Job::send_file, result);
  return {};  // the window says so once the folder's listing shows the file
}

}  // namespace lg81xx
