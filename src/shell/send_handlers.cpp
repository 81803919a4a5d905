// "Invia file al telefono" on the "File Manager" tab: any file into the folder chosen,
// whose listing is then read again.
#include <filesystem>

#include "jobs/checks.h"
#include "jobs/send.h"
#include "shell/window_model.h"

namespace lg81xx {

JobResult WindowModel::send_file() {
  const std::string folder = controls_.folders_list.text();
  if (folder.empty()) return stop(MessageId::no_folder_chosen);
  // Asked before the dialog: no file is chosen for a job that cannot run.
  for (auto refusal : {check_folder(model(), folder), check_connected(phone())})
    if (refusal) return report(refused(std::move(*refusal)));

  const auto path = platform_.ui.open_file(text::kAnyFile);
  if (!path || path->empty()) return JobResult::cancelled;
  const auto content = platform_.files.read_all(*path);
  if (auto refusal = check_content(content)) return report(refused(std::move(*refusal)));
  const std::string name = std::filesystem::path(*path).filename().string();
  {
    Working working(*this, text::kStatusSendingFile + folder + "/" + name + "...", true);
    const JobResult result = report(lg81xx::send_file(jobs_, {folder, name, *content, WhenExists::ask}));
    if (result != JobResult::ok) return result;
    set_progress_done();  // claimed only once the phone acknowledged the whole file
  }
  open_folder();  // the new file shows among the folder's entries
  show({MessageId::file_sent, ": " + folder + "/" + name, {}});
  return JobResult::ok;
}

}  // namespace lg81xx
