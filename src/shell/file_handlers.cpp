// The "File Manager" tab: a folder listed into the entries list, and an entry downloaded to a
// file the user chooses, or several into a folder.
#include "base/text_encoding.h"
#include "jobs/checks.h"
#include "jobs/fetch.h"
#include "jobs/listing.h"
#include "shell/busy_pointer.h"
#include "shell/window_model.h"

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

}  // namespace

JobResult WindowModel::open_folder() { return list_into_window(controls_.folders_list.text()); }

JobResult WindowModel::list_into_window(const std::string& folder) {
  Working working(*this, text::kStatusReadingFolder + folder + "...", false);
  const auto listed = list_folder(jobs_, folder);
  if (!listed.ok()) return report(listed);
  show_entries(listed.value, folder);
  return JobResult::ok;
}

void WindowModel::choose_entries(std::vector<int> rows) { controls_.entries_list.chosen = std::move(rows); }

// The entry is fetched from the folder whose entries are on show, whichever folder is
// marked since.
JobResult WindowModel::download_entry() {
  const auto& list = controls_.entries_list;
  if (list.chosen.size() > 1) {
    std::vector<std::string> entries;
    for (const int row : list.chosen)
      if (row >= 0 && row < static_cast<int>(list.items.size())) entries.push_back(list.items[row]);
    return download_several(entries);
  }
  if (list.text().empty()) return stop(MessageId::no_entry_selected);
  return download_named(listed_folder_, controls_.entries_list.text());
}

// The file is written only when it is complete and the user chose where.
JobResult WindowModel::download_named(const std::string& folder, const std::string& entry) {
  const auto got = fetch(folder, entry);
  if (!got.ok()) return report(got);
  const auto path = platform_.ui.save_file(save_filter(entry), entry);
  if (!path) return JobResult::cancelled;
  BusyPointer pointer(platform_.ui);
  pointer.busy();
  const auto saved = save_fetched(jobs_, *path, got.value, WhenExists::ask);
  if (!saved.ok()) {
    pointer.normal();
    return report(saved);
  }
  set_progress_done();
  return JobResult::ok;
}

JobOutcome<Bytes> WindowModel::fetch(const std::string& folder, const std::string& entry) {
  Working working(*this, text::kStatusDownloading + entry + "...", true);
  return fetch_entry(jobs_, {folder, entry});
}

JobResult WindowModel::download_several(const std::vector<std::string>& entries) {
  if (auto refusal = check_connected(phone())) return report(refused(std::move(*refusal)));
  const auto dir = platform_.ui.choose_folder();
  if (!dir) return JobResult::cancelled;

  JobOutcome<std::vector<EntryFetched>> done;
  {
    // The status line names each entry as its transfer starts.
    std::size_t next = 0;
    std::optional<Underway> underway;
    BusyPointer pointer(platform_.ui);
    on_started_ = [&] {
      underway.reset();
      underway.emplace(*this, text::kStatusDownloading + entries[next] + "...");
      pointer.busy();
    };
    done = fetch_entries(jobs_, {listed_folder_, entries, *dir, WhenExists::ask}, [&](const EntryFetched&) { ++next; });
    on_started_ = nullptr;
  }

  const Message summary = downloads_summary(entries, done.value, phone().family());
  if (done.ok()) {
    set_progress_done();
    show(summary);
  } else if (done.result == JobResult::interrupted) {
    report(JobOutcome<>{done.result, {}, Message{MessageId::cancelled, "; " + summary.italian(), {}}});
  } else {
    show(summary);
  }
  return done.result;
}

}  // namespace lg81xx
