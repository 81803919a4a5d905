// "Backup del telefono…" and "Ripristina dal backup…" on the "File Manager" tab: the
// archive of the phone in a folder the user chooses, through the same jobs as the command
// line, with the file under way on the status line and a summary at the end.
#include "jobs/backup.h"
#include "jobs/checks.h"
#include "jobs/restore.h"
#include "shell/busy_pointer.h"
#include "shell/window_model.h"

namespace lg81xx {

JobResult WindowModel::show_summary(JobResult result, const Message& summary) {
  if (result == JobResult::interrupted)
    return report(JobOutcome<>{result, {}, Message{MessageId::cancelled, "; " + summary.italian(), {}}});
  if (result == JobResult::ok) set_progress_done();
  show(summary);
  return result;
}

JobResult WindowModel::back_up_phone() {
  if (auto refusal = check_connected(phone())) return report(refused(std::move(*refusal)));
  const auto dir = platform_.ui.choose_folder();
  if (!dir) return JobResult::cancelled;
  if (auto refusal = check_archive_folder(platform_.files, *dir)) return report(refused(std::move(*refusal)));
  JobOutcome<BackupReport> done;
  {
    Working working(*this, std::string(text::kStatusBackingUp) + "...", true);
    BackupRequest request;
    request.dir = *dir;
    done = back_up(jobs_, facts_, request);
  }
  // A refusal (another phone's archive, a manifest that cannot be written) is no summary.
  if (!done.message ||
      (done.message->id != MessageId::backup_done && done.message->id != MessageId::backup_not_all_saved))
    return report(done);
  return show_summary(done.result, *done.message);
}

JobResult WindowModel::restore_from_backup() {
  if (auto refusal = check_connected(phone())) return report(refused(std::move(*refusal)));
  const auto dir = platform_.ui.choose_folder();
  if (!dir) return JobResult::cancelled;
  if (auto refusal = check_archive_to_restore(platform_.files, *dir)) return report(refused(std::move(*refusal)));
  JobOutcome<RestoreReport> done;
  {
    Working working(*this, std::string(text::kStatusRestoring) + "...", true);
    done = restore_archive(jobs_, facts_, {*dir, {}, WhenExists::keep});
  }
  if (!done.message ||
      (done.message->id != MessageId::restore_done && done.message->id != MessageId::restore_not_all_sent))
    return report(done);
  return show_summary(done.result, *done.message);
}

}  // namespace lg81xx
