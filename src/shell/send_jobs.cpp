// "Invia file al telefono" on the "File Manager" tab: any file into a folder of the phone,
// through the upload engine that installs applications and replaces sounds.
#include <algorithm>
#include <filesystem>

#include "shell/busy_pointer.h"
#include "shell/form1.h"
#include "shell/messages.h"
#include "shell/preflight.h"

namespace lg81xx {
namespace {

constexpr const char* kAnyFile = "Tutti i file|*";

}  // namespace

JobResult Form1::send_file() {
  const std::string folder = controls_.List1.text();
  if (folder.empty()) return stop(text::kNoFolderChosen);
  if (const auto refused = check_folder(model(), folder)) return stop(refused->text, refused->result);
  if (!require_connection(Job::send_file)) return JobResult::not_connected;

  const auto path = platform_.ui.open_file(kAnyFile);
  if (!path || path->empty()) return JobResult::cancelled;
  const auto content = platform_.files.read_all(*path);
  if (const auto refused = check_content(content)) return stop(refused->text, refused->result);
  const std::string name = std::filesystem::path(*path).filename().string();
  const JobResult result = send_named(folder, name, *content);
  if (result != JobResult::ok) return result;
  open_folder();  // the new file shows among the folder's entries
  return report(Job::send_file, result, ": " + folder + "/" + name);
}

JobResult Form1::send_named(const std::string& folder, const std::string& name, const Bytes& content) {
  for (const auto& refused : {check_folder(model(), folder), check_new_name(model(), name), check_content(content)})
    if (refused) return stop(refused->text, refused->result);
  if (!require_connection(Job::send_file)) return JobResult::not_connected;

  Underway underway(*this, text::kStatusSendingFile + folder + "/" + name + "...");
  BusyPointer pointer(platform_.ui);
  pointer.busy();
  LineHold line(phone_);
  // The phone writes over a file of the same name without a word: the folder is read
  // first, and a file already there is replaced only when the user says so.
  const auto entries = phone_.list_folder(folder);
  if (!entries.ok()) return report(Job::send_file, entries.result);
  if (std::find(entries.value.begin(), entries.value.end(), name) != entries.value.end() &&
      !platform_.ui.ask(std::string(text::kReplaceOnPhone) + " " + folder + "/" + name + "?", text::kConfirmTitle))
    return JobResult::cancelled;
  const JobResult result = phone_.upload({folder, name}, content);
  if (result != JobResult::ok) return report(Job::send_file, result);
  set_progress_done();  // claimed only once the phone acknowledged the whole file
  return result;
}

}  // namespace lg81xx
