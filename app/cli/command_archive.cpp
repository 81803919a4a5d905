// backup, verify and restore: the archive of a phone in a local folder, with its manifest.
#include "base/name_escapes.h"
#include "commands.h"
#include "jobs/backup.h"
#include "jobs/restore.h"
#include "jobs/verify.h"

namespace lg81xx::cli {
namespace {

// The folders named must be the model's, before anything is sent.
std::optional<int> refuse_folders(TerminalListener& listener, const std::string& model,
                                  const std::vector<std::string>& folders) {
  for (const auto& folder : folders)
    if (const auto refused = first_refusal(listener, {check_folder(model, folder)})) return refused;
  return std::nullopt;
}

std::string entry_text(const std::string& folder, const std::string& name) { return quoted_name(folder + "/" + name); }

// The summary alone: every file it would name has had its line.
template <class T>
int finish_summary(TerminalListener& listener, JobOutcome<T> outcome) {
  if (outcome.message &&
      (outcome.message->id == MessageId::backup_done || outcome.message->id == MessageId::backup_not_all_saved ||
       outcome.message->id == MessageId::restore_done || outcome.message->id == MessageId::restore_not_all_sent))
    outcome.message->detail.clear();
  return finish(listener, outcome);
}

}  // namespace

int run_backup(const GlobalOptions& options, Terminal& term, const std::filesystem::path& dir,
               const std::vector<std::string>& folders, bool refresh, bool force) {
  TerminalListener listener(term.err, term.terminal);
  if (const auto refused = refuse_folders(listener, options.model, folders)) return *refused;
  LocalFiles files;
  if (!files.make_folders(dir)) {
    term.err << "lg81xx-cli: the folder " << dir.string() << " cannot be made\n";
    return kLocalFile;
  }
  if (const auto refused = first_refusal(listener, {check_archive_folder(files, dir)})) return *refused;
  return run_connected(options, listener, term.err, [&](Session& session, const PhoneFacts& facts) {
    const Family family = session.jobs().phone().family();
    BackupRequest request;
    request.dir = dir;
    request.folders = folders;
    request.refresh = refresh;
    request.force = force;
    const auto done = back_up(session.jobs(), facts, request, [&](const EntryArchived& e) {
      if (e.result == JobResult::ok) {
        term.out << quoted_name(e.file) << " (" << e.size << " bytes" << (e.beside ? ", changed" : "") << ")\n";
        return;
      }
      const std::string what = e.name.empty() ? quoted_name(e.folder) : entry_text(e.folder, e.name);
      term.err << "lg81xx-cli: " << what << " not archived (" << why_not_archived(e, family) << ")\n";
    });
    if (done.value.not_tried > 0)
      term.err << "lg81xx-cli: " << done.value.not_tried << " " << english(MessageId::not_tried)
               << ": the run ended early, and the next backup fetches them\n";
    return finish_summary(listener, done);
  });
}

int run_verify(Terminal& term, const std::filesystem::path& dir) {
  TerminalListener listener(term.err, term.terminal);
  LocalFiles files;
  const auto checked = verify_archive(files, dir, [&](const FileChecked& f) {
    if (f.state == FileState::missing) term.out << "missing " << quoted_name(f.record.file) << "\n";
    if (f.state == FileState::changed)
      term.out << "changed " << quoted_name(f.record.file) << " (" << f.size << " bytes, " << f.record.size
               << " archived)\n";
  });
  return finish(listener, checked);
}

int run_restore(const GlobalOptions& options, Terminal& term, const std::filesystem::path& dir,
                const std::vector<std::string>& folders, bool replace) {
  TerminalListener listener(term.err, term.terminal);
  if (const auto refused = refuse_folders(listener, options.model, folders)) return *refused;
  LocalFiles files;
  if (const auto refused = first_refusal(listener, {check_archive_to_restore(files, dir)})) return *refused;
  return run_connected(options, listener, term.err, [&](Session& session, const PhoneFacts& facts) {
    const Family family = session.jobs().phone().family();
    const RestoreRequest request{dir, folders, replace ? WhenExists::replace : WhenExists::keep};
    const auto done = restore_archive(session.jobs(), facts, request, [&](const EntryRestored& e) {
      const std::string what = entry_text(e.record.folder, e.record.name);
      if (e.kept)
        term.err << "lg81xx-cli: " << what << " kept: " << english(MessageId::kept_on_phone) << "\n";
      else if (e.result == JobResult::ok)
        term.out << what << " (" << e.record.size << " bytes)\n";
      else
        term.err << "lg81xx-cli: " << what << " not sent (" << why_not_restored(e, family) << ")\n";
    });
    if (done.value.not_tried > 0)
      term.err << "lg81xx-cli: " << done.value.not_tried << " " << english(MessageId::not_tried)
               << ": the run ended early\n";
    return finish_summary(listener, done);
  });
}

}  // namespace lg81xx::cli
