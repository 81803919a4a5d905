// The "File Manager" tab: a folder of List1 listed into List2, and an entry downloaded to a
// file the user chooses, or several into a folder.
#include <algorithm>

#include "base/text_encoding.h"
#include "shell/busy_pointer.h"
#include "shell/form1.h"
#include "shell/messages.h"
#include "shell/preflight.h"
#include "shell/safe_file_name.h"

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

// After these the session is over, or the phone no longer answers: nothing more is asked.
bool ends_downloads(JobResult result) {
  using enum JobResult;
  return result == interrupted || result == link_lost || result == not_connected || result == no_reply;
}

// "N file salvati, M non salvati: name (why), ...": every entry chosen is counted, the ones
// never tried too.
std::string downloads_summary(const std::vector<std::string>& entries, const std::vector<EntrySaved>& done,
                              Family family) {
  std::string failed;
  std::size_t saved = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i < done.size() && done[i].result == JobResult::ok) {
      ++saved;
      continue;
    }
    failed += (failed.empty() ? ": " : ", ") + entries[i] + " (" +
              (i < done.size() ? why_not_saved(done[i], family) : "non provato") + ")";
  }
  return std::to_string(saved) + " file salvati, " + std::to_string(entries.size() - saved) + " non salvati" + failed;
}

}  // namespace

std::string why_not_saved(const EntrySaved& done, Family family) {
  switch (done.result) {
    case JobResult::local_file: return save_problem(done.saved);
    case JobResult::cancelled: return "file già esistente, non sostituito";
    case JobResult::bad_input: return "nome non utilizzabile";
    default: break;
  }
  const auto message = message_for(Job::download, done.result, family);
  return message ? message->text : "non scaricato";
}

JobResult Form1::open_folder() {
  if (!require_connection(Job::open_folder)) return JobResult::not_connected;
  Underway underway(*this, text::kStatusReadingFolder + controls_.List1.text() + "...");
  const auto listed = phone_.list_folder(controls_.List1.text());
  if (!listed.ok()) return report(Job::open_folder, listed.result);  // no request for the folder: nothing happens
  show_entries(listed.value, controls_.List1.text());
  return JobResult::ok;
}

void Form1::choose_entries(std::vector<int> rows) { controls_.List2.chosen = std::move(rows); }

// The entry is fetched from the folder List2 shows, whichever folder List1 marks since.
JobResult Form1::download_entry() {
  const auto& list = controls_.List2;
  if (list.chosen.size() > 1) {
    std::vector<std::string> entries;
    for (const int row : list.chosen)
      if (row >= 0 && row < static_cast<int>(list.items.size())) entries.push_back(list.items[row]);
    return download_several(entries);
  }
  if (list.text().empty()) return stop(text::kNoEntrySelected);
  return download_named(listed_folder_, controls_.List2.text());
}

JobResult Form1::download_named(const std::string& folder, const std::string& entry) {
  if (entry.empty()) return JobResult::bad_input;  // nothing selected: nothing to fetch
  if (!require_connection(Job::download)) return JobResult::not_connected;
  if (phone_.family() == Family::none) return JobResult::bad_input;  // neither family: nothing is downloaded
  for (const std::string* name : {&folder, &entry})
    if (const auto refused = check_name(model(), *name)) return stop(refused->text, refused->result);

  const auto got = fetch(folder, entry);
  if (!got.ok()) return report(Job::download, got.result);

  // The file is written only when it is complete and the user chose where.
  const auto path = platform_.ui.save_file(save_filter(entry), entry);
  if (!path) return JobResult::cancelled;
  BusyPointer pointer(platform_.ui);
  pointer.busy();
  const JobResult saved = save_download(*path, got.value);
  if (saved != JobResult::ok) return saved;
  set_progress_done();
  return JobResult::ok;
}

Outcome<Bytes> Form1::fetch(const std::string& folder, const std::string& entry) {
  Underway underway(*this, text::kStatusDownloading + entry + "...");
  BusyPointer pointer(platform_.ui);
  pointer.busy();
  auto got = phone_.download({folder, entry});
  // Stopped while its last block came: the file is whole, but the user no longer wants it.
  if (got.ok() && phone_.cancel_requested()) got.result = JobResult::interrupted;
  return got;
}

JobResult Form1::save_download(const std::string& path, const Bytes& content) {
  const auto saved = save_asking(path, content, Replace::never);
  if (!saved) return JobResult::cancelled;
  if (*saved == SaveResult::ok) return JobResult::ok;
  platform_.ui.set_busy_pointer(false);
  return report(Job::download, JobResult::local_file, ": " + path + " (" + save_problem(*saved) + ")");
}

std::optional<SaveResult> Form1::save_asking(const std::filesystem::path& path, const Bytes& content, Replace replace) {
  auto& files = platform_.files;
  SaveResult saved = files.save(path, content, replace);
  if (saved == SaveResult::exists) {
    if (!platform_.ui.ask(std::string(text::kReplaceFile) + " " + path.string() + "?", text::kConfirmTitle))
      return std::nullopt;
    saved = files.save(path, content, Replace::regular_file);
  }
  return saved;
}

JobResult Form1::download_several(const std::vector<std::string>& entries) {
  if (!require_connection(Job::download)) return JobResult::not_connected;
  const auto dir = platform_.ui.choose_folder();
  if (!dir) return JobResult::cancelled;
  const auto done = download_into(listed_folder_, entries, *dir);
  const std::string summary = downloads_summary(entries, done, phone_.family());
  const auto worst =
      std::find_if(done.begin(), done.end(), [](const EntrySaved& e) { return e.result != JobResult::ok; });
  if (worst == done.end()) {
    set_progress_done();
    platform_.ui.message_box(summary, MessageStyle::information, text::kDownloadTitle);
    return JobResult::ok;
  }
  if (done.back().result == JobResult::interrupted)
    return report(Job::download, JobResult::interrupted, "; " + summary);
  platform_.ui.message_box(summary, MessageStyle::warning, text::kDownloadTitle);
  return worst->result;
}

std::vector<EntrySaved> Form1::download_into(const std::string& folder, const std::vector<std::string>& entries,
                                             const std::filesystem::path& dir,
                                             const std::function<void(const EntrySaved&)>& each) {
  std::vector<EntrySaved> done;
  std::set<std::string> taken;
  for (const auto& entry : entries) {
    done.push_back(download_one_into(folder, entry, dir, taken));
    if (each) each(done.back());
    if (ends_downloads(done.back().result)) break;
  }
  return done;
}

EntrySaved Form1::download_one_into(const std::string& folder, const std::string& entry,
                                    const std::filesystem::path& dir, std::set<std::string>& taken) {
  EntrySaved done;
  done.entry = entry;
  const auto name = safe_file_name(entry);
  if (!name || check_name(model(), entry)) {
    done.result = JobResult::bad_input;
    return done;
  }
  // Two entries may make one file name ("a\nb.txt" and "ab.txt"): the later one is
  // numbered rather than put in the place of the file saved a moment ago.
  std::string file = *name;
  for (int number = 2; taken.contains(file); ++number) file = numbered_file_name(*name, number);
  taken.insert(file);
  // A file already there is asked about before the transfer, not after it.
  done.path = dir / file;
  Replace replace = Replace::never;
  done.saved = platform_.files.check_save(done.path, replace);
  if (done.saved == SaveResult::exists) {
    if (!platform_.ui.ask(std::string(text::kReplaceFile) + " " + done.path.string() + "?", text::kConfirmTitle)) {
      done.result = JobResult::cancelled;
      return done;
    }
    replace = Replace::regular_file;
    done.saved = platform_.files.check_save(done.path, replace);
  }
  if (done.saved != SaveResult::ok) {
    done.result = JobResult::local_file;
    return done;
  }
  const auto got = fetch(folder, entry);
  done.result = got.result;
  if (got.result == JobResult::interrupted) close_stopped_session();
  if (!got.ok()) return done;
  const auto saved = save_asking(done.path, got.value, replace);
  done.saved = saved.value_or(SaveResult::exists);
  done.result = !saved ? JobResult::cancelled : *saved == SaveResult::ok ? JobResult::ok : JobResult::local_file;
  return done;
}

}  // namespace lg81xx
