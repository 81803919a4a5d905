// "Invia file al telefono" on the "File Manager" tab: any file into the folder chosen,
// whose listing is then read again; files dropped on the entries list go the same way into
// the folder whose entries are on show.
#include <filesystem>

#include "jobs/checks.h"
#include "jobs/send.h"
#include "shell/window_model.h"

namespace lg81xx {

JobResult WindowModel::send_file() {
  const std::string folder = controls_.folders_list.text();
  // Asked before the dialog: no file is chosen for a job that cannot run.
  if (const auto refused = send_refusal(folder)) return *refused;
  const auto path = platform_.ui.open_file(text::kSendTitle, text::kAnyFile);
  if (!path || path->empty()) return JobResult::cancelled;
  return send_into(folder, {*path});
}

JobResult WindowModel::send_dropped_files(const std::vector<std::string>& paths) {
  if (const auto refused = send_refusal(listed_folder_)) return *refused;
  return send_into(listed_folder_, paths);
}

std::optional<JobResult> WindowModel::send_refusal(const std::string& folder) {
  if (folder.empty()) return stop(MessageId::no_folder_chosen);
  for (auto refusal : {check_folder(model(), folder), check_connected(phone())})
    if (refusal) return report(refused(std::move(*refusal)));
  return std::nullopt;
}

// Only what the phone acknowledged whole is named sent; the first failure ends the run with
// its own message.
JobResult WindowModel::send_into(const std::string& folder, const std::vector<std::string>& paths) {
  std::vector<std::string> sent;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    sending_ = {i + 1, paths.size()};
    const JobResult result = send_one(folder, paths[i], sent);
    sending_ = {1, 1};
    if (result != JobResult::ok && result != JobResult::cancelled) return result;
  }
  if (sent.empty()) return JobResult::cancelled;
  list_into_window(folder);  // the new files show among the folder's entries
  std::string places;
  for (const auto& place : sent) places += (places.empty() ? ": " : ", ") + place;
  show({sent.size() == 1 ? MessageId::file_sent : MessageId::files_sent, places, {}});
  return JobResult::ok;
}

JobResult WindowModel::send_one(const std::string& folder, const std::string& path, std::vector<std::string>& sent) {
  const auto content = platform_.files.read_all(path);
  if (auto refusal = check_content(content)) {
    refusal->message.detail += "\n" + path;  // of several files dropped, the one meant
    return report(refused(std::move(*refusal)));
  }
  const std::string name = std::filesystem::path(path).filename().string();
  Working working(*this, text::kStatusSendingFile + folder + "/" + name + "...", true);
  const JobResult result = report(lg81xx::send_file(jobs_, {folder, name, *content, WhenExists::ask}));
  if (result != JobResult::ok) return result;
  set_progress_done();  // claimed only once the phone acknowledged the whole file
  sent.push_back(folder + "/" + name);
  return JobResult::ok;
}

}  // namespace lg81xx
