// The "File Manager" tab: a folder of List1 listed into List2, and an entry downloaded to a
// file the user chooses.
#include "base/text_encoding.h"
#include "shell/busy_pointer.h"
#include "shell/form1.h"
#include "shell/messages.h"
#include "shell/preflight.h"

namespace lg81xx {
namespace {

// "*." and the entry's last three characters (whole characters: names are UTF-8).
std::string save_filter(const std::string& entry) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < entry.size();) {
    starts.push_back(i);
    const auto c = first_character(std::string_view(entry).substr(i));
    i += c ? c->size : 1;
  }
  return "*." + entry.substr(starts.size() > 3 ? starts[starts.size() - 3] : 0);
}

// Why a save did not happen, after the path in the message.
const char* save_problem(SaveResult result) {
  switch (result) {
    case SaveResult::not_a_file: return "non è un file normale: non viene sostituito";
    case SaveResult::is_folder: return "è una cartella";
    case SaveResult::no_folder: return "la cartella non esiste";
    case SaveResult::folder_not_writable: return "cartella non scrivibile";
    case SaveResult::name_too_long: return "nome troppo lungo";
    default: return "errore di scrittura";
  }
}

}  // namespace

JobResult Form1::open_folder() {
  if (!require_connection(Job::open_folder)) return JobResult::not_connected;
  Underway underway(*this, text::kStatusReadingFolder + controls_.List1.text() + "...");
  const auto listed = phone_.list_folder(controls_.List1.text());
  if (!listed.ok()) return report(Job::open_folder, listed.result);  // no request for the folder: nothing happens
  show_entries(listed.value, controls_.List1.text());
  return JobResult::ok;
}

// The entry is fetched from the folder List2 shows, whichever folder List1 marks since.
JobResult Form1::download_entry() {
  if (controls_.List2.text().empty()) return stop(text::kNoEntrySelected);
  return download_named(listed_folder_, controls_.List2.text());
}

JobResult Form1::download_named(const std::string& folder, const std::string& entry) {
  if (entry.empty()) return JobResult::bad_input;  // nothing selected: nothing to fetch
  if (!require_connection(Job::download)) return JobResult::not_connected;
  if (phone_.family() == Family::none) return JobResult::bad_input;  // neither family: nothing is downloaded
  for (const std::string* name : {&folder, &entry})
    if (const auto refused = check_name(model(), *name)) return stop(refused->text, refused->result);

  Underway underway(*this, text::kStatusDownloading + entry + "...");
  BusyPointer pointer(platform_.ui);
  pointer.busy();
  const auto got = phone_.download({folder, entry});
  pointer.normal();
  if (!got.ok()) return report(Job::download, got.result);
  // Stopped while its last block came: the file is whole, but the user no longer wants it.
  if (phone_.cancel_requested()) return report(Job::download, JobResult::interrupted);

  // The file is written only when it is complete and the user chose where.
  const auto path = platform_.ui.save_file(save_filter(entry), entry);
  if (!path) return JobResult::cancelled;
  pointer.busy();
  const JobResult saved = save_download(*path, got.value);
  if (saved != JobResult::ok) return saved;
  set_progress_done();
  return JobResult::ok;
}

JobResult Form1::save_download(const std::string& path, const Bytes& content) {
  auto& files = platform_.files;
  SaveResult saved = files.save(path, content, Replace::never);
  if (saved == SaveResult::exists) {
    if (!platform_.ui.ask(std::string(text::kReplaceFile) + " " + path + "?", text::kConfirmTitle))
      return JobResult::cancelled;
    saved = files.save(path, content, Replace::regular_file);
  }
  if (saved == SaveResult::ok) return JobResult::ok;
  platform_.ui.set_busy_pointer(false);
  return report(Job::download, JobResult::local_file, ": " + path + " (" + save_problem(saved) + ")");
}

}  // namespace lg81xx
