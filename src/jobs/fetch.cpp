#include "jobs/fetch.h"

#include <set>

#include "base/name_escapes.h"
#include "jobs/checks.h"
#include "jobs/endings.h"
#include "jobs/safe_file_name.h"

namespace lg81xx {
namespace fs = std::filesystem;
namespace {

Message replace_question(const fs::path& path) {
  std::string detail = " ";
  detail.append(path.string()).append("?");
  return {MessageId::replace_file, detail, {}};
}

// Saves `content`, replacing a regular file there only when `replace` allows it or the
// user says so; nothing when the user keeps the file that is there.
std::optional<SaveResult> save_asking(JobContext& jobs, const fs::path& path, const Bytes& content, Replace replace,
                                      WhenExists when_exists) {
  SaveResult saved = jobs.files().save(path, content, replace);
  if (saved == SaveResult::exists) {
    if (!may_replace(jobs.listener(), when_exists, replace_question(path))) return std::nullopt;
    saved = jobs.files().save(path, content, Replace::regular_file);
  }
  return saved;
}

JobOutcome<> cannot_save(const fs::path& path, SaveResult problem) {
  const std::string detail = ": " + path.string() + " (" + italian(save_problem(problem)) + ")";
  return {JobResult::local_file, {}, Message{MessageId::file_write_failed, detail, {}}};
}

// `taken`: the file names this run has given out already.
EntryFetched fetch_one(JobContext& jobs, const FetchSeveral& request, const std::string& entry,
                       std::set<std::string>& taken) {
  EntryFetched done;
  done.entry = entry;
  const auto name = safe_file_name(entry);
  if (!name || check_name(jobs.phone().model(), entry)) {
    done.result = JobResult::bad_input;
    return done;
  }
  // Two entries may make one file name ("a\nb.txt" and "ab.txt"): the later one is
  // numbered rather than put in the place of the file saved a moment ago.
  std::string file = *name;
  for (int number = 2; taken.contains(file); ++number) file = numbered_file_name(*name, number);
  taken.insert(file);
  // A file already there is asked about before the transfer, not after it.
  done.path = request.into / file;
  Replace replace = Replace::never;
  done.saved = jobs.files().check_save(done.path, replace);
  if (done.saved == SaveResult::exists) {
    if (!may_replace(jobs.listener(), request.when_exists, replace_question(done.path))) {
      done.result = JobResult::cancelled;
      return done;
    }
    replace = Replace::regular_file;
    done.saved = jobs.files().check_save(done.path, replace);
  }
  if (done.saved != SaveResult::ok) {
    done.result = JobResult::local_file;
    return done;
  }
  const auto got = fetch_entry(jobs, {request.folder, entry});
  done.result = got.result;
  if (!got.ok()) return done;
  const auto saved = save_asking(jobs, done.path, got.value, replace, request.when_exists);
  done.saved = saved.value_or(SaveResult::exists);
  done.result = !saved ? JobResult::cancelled : *saved == SaveResult::ok ? JobResult::ok : JobResult::local_file;
  if (done.result == JobResult::ok) done.size = got.value.size();
  return done;
}

}  // namespace

JobOutcome<Bytes> fetch_entry(JobContext& jobs, const ObjectName& entry) {
  auto& phone = jobs.phone();
  if (entry.file.empty()) return {JobResult::bad_input, {}, {}};
  if (auto refusal = check_connected(phone)) return refused<Bytes>(std::move(*refusal));
  if (phone.family() == Family::none) return {JobResult::bad_input, {}, {}};
  for (const std::string* name : {&entry.folder, &entry.file})
    if (auto refusal = check_name(phone.model(), *name)) return refused<Bytes>(std::move(*refusal));
  jobs.listener().started();
  auto got = phone.download(entry);
  // Stopped while its last block came: the file is whole, but the user no longer wants it.
  if (got.ok() && phone.cancel_requested()) got.result = JobResult::interrupted;
  if (!got.ok()) return ended<Bytes>(phone, Job::download, got.result);
  return {JobResult::ok, std::move(got.value), {}};
}

JobOutcome<> save_fetched(JobContext& jobs, const fs::path& path, const Bytes& content, WhenExists when_exists) {
  const auto saved = save_asking(jobs, path, content, Replace::never, when_exists);
  if (!saved) return {JobResult::cancelled, {}, {}};
  if (*saved != SaveResult::ok) return cannot_save(path, *saved);
  return {};
}

std::optional<SaveResult> destination_problem(Files& files, const fs::path& path, WhenExists when_exists) {
  const SaveResult met =
      files.check_save(path, when_exists == WhenExists::keep ? Replace::never : Replace::regular_file);
  if (met == SaveResult::ok) return std::nullopt;
  return met;
}

JobOutcome<std::uint64_t> fetch_to_file(JobContext& jobs, const FetchToFile& request) {
  if (const auto problem = destination_problem(jobs.files(), request.path, request.when_exists)) {
    if (*problem == SaveResult::exists) return {JobResult::cancelled, 0, {}};
    auto refusal = cannot_save(request.path, *problem);
    return {refusal.result, 0, std::move(refusal.message)};
  }
  auto got = fetch_entry(jobs, request.entry);
  if (!got.ok()) return {got.result, 0, std::move(got.message)};
  auto saved = save_fetched(jobs, request.path, got.value, request.when_exists);
  return {saved.result, saved.ok() ? got.value.size() : 0, std::move(saved.message)};
}

JobOutcome<std::vector<EntryFetched>> fetch_entries(JobContext& jobs, const FetchSeveral& request,
                                                    const std::function<void(const EntryFetched&)>& each) {
  using Done = std::vector<EntryFetched>;
  if (auto refusal = check_connected(jobs.phone())) return refused<Done>(std::move(*refusal));
  JobOutcome<Done> outcome;
  std::set<std::string> taken;
  for (std::size_t i = 0; i < request.entries.size(); ++i) {
    jobs.count_files(i + 1, request.entries.size());
    outcome.value.push_back(fetch_one(jobs, request, request.entries[i], taken));
    const EntryFetched& done = outcome.value.back();
    if (each) each(done);
    if (outcome.result == JobResult::ok || done.result == JobResult::interrupted) outcome.result = done.result;
    if (ends_run(done.result)) break;
  }
  jobs.count_files(1, 1);
  return outcome;
}

std::string why_not_saved(const EntryFetched& done, Family family) {
  switch (done.result) {
    case JobResult::local_file: return italian(save_problem(done.saved));
    case JobResult::cancelled: return italian(MessageId::exists_kept);
    case JobResult::bad_input: return italian(MessageId::unusable_name);
    default: break;
  }
  const auto message = ending_message(Job::download, done.result, family);
  return message ? catalogue(*message).italian : italian(MessageId::not_downloaded);
}

Message downloads_summary(const std::vector<std::string>& entries, const std::vector<EntryFetched>& done,
                          Family family) {
  std::string failed;
  std::size_t saved = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i < done.size() && done[i].result == JobResult::ok) {
      ++saved;
      continue;
    }
    failed += (failed.empty() ? ": " : ", ") + quoted_name(entries[i]) + " (" +
              (i < done.size() ? why_not_saved(done[i], family) : italian(MessageId::not_tried)) + ")";
  }
  return {saved == entries.size() ? MessageId::downloads_saved : MessageId::downloads_not_all_saved,
          failed,
          {std::to_string(saved), std::to_string(entries.size() - saved)}};
}

}  // namespace lg81xx
