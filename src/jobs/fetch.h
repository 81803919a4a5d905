#pragma once
// Entries of the phone's folders fetched to the computer: one into bytes or a file, or
// several into a folder. A file is written only when the entry came whole, through a new
// file renamed into place; a regular file already there is replaced only as WhenExists
// says, and nothing else ever is.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "jobs/job_context.h"
#include "jobs/job_outcome.h"

namespace lg81xx {

// `entry` of its folder, whole. An empty name, or a model of neither family, ends
// bad_input without a message: there is nothing to ask for.
JobOutcome<Bytes> fetch_entry(JobContext& jobs, const ObjectName& entry);

// `content` saved at `path`.
JobOutcome<> save_fetched(JobContext& jobs, const std::filesystem::path& path, const Bytes& content,
                          WhenExists when_exists);

// What a save at `path` would meet, found before anything is fetched; nothing when it may
// go ahead (a regular file there is left to WhenExists).
std::optional<SaveResult> destination_problem(Files& files, const std::filesystem::path& path, WhenExists when_exists);

struct FetchToFile {
  ObjectName entry;
  std::filesystem::path path;
  WhenExists when_exists = WhenExists::ask;
};

// The entry fetched and saved; its value is the number of bytes saved.
JobOutcome<std::uint64_t> fetch_to_file(JobContext& jobs, const FetchToFile& request);

struct FetchSeveral {
  std::string folder;
  std::vector<std::string> entries;
  std::filesystem::path into;  // a folder that exists
  WhenExists when_exists = WhenExists::ask;
};

// One entry of several: where it went and how it ended.
struct EntryFetched {
  std::string entry;
  std::filesystem::path path;  // empty when the entry's name gives no file name
  JobResult result = JobResult::ok;
  SaveResult saved = SaveResult::ok;  // what the file's side met, for a local_file result
  std::uint64_t size = 0;             // the bytes saved
};

// Each entry under its safe name in the folder (numbered when two would share one),
// asked about before its transfer when a file is there, then saved as fetch_to_file saves
// it. `each` hears of every entry as it ends. A cancel or a phone that no longer answers
// ends the run: the entries after it are not tried. The result is the first failure's
// (a cancel's when the run was stopped).
JobOutcome<std::vector<EntryFetched>> fetch_entries(JobContext& jobs, const FetchSeveral& request,
                                                    const std::function<void(const EntryFetched&)>& each = {});

// Why `done` was not saved, in the system's words.
std::string why_not_saved(const EntryFetched& done, Family family);

// "N file salvati, M non salvati: name (why), ...": every entry asked for is counted, the
// ones never tried too.
Message downloads_summary(const std::vector<std::string>& entries, const std::vector<EntryFetched>& done,
                          Family family);

}  // namespace lg81xx
