#pragma once
// Ctrl-C (SIGINT), SIGTERM and SIGHUP during a phone command: the first one asks the job
// to stop after the exchange under way (a wait on a silent phone ends at once), so that
// the session is closed and nothing partial is saved; the command then exits 128 + the
// signal's number. A second one ends the program at once. A signal the command was started
// with ignored (nohup) stays ignored.
#include "jobs/job_context.h"

namespace lg81xx::cli {

class CancelOnSignal {
 public:
  // The three signals stop the job of `jobs` until this is destroyed.
  explicit CancelOnSignal(JobContext& jobs);
  ~CancelOnSignal();
  CancelOnSignal(const CancelOnSignal&) = delete;
  CancelOnSignal& operator=(const CancelOnSignal&) = delete;

  // The first signal that came, or 0.
  int signal() const;
  // `status` as the command's exit status: a job stopped by a signal exits 128 + its
  // number, like a program the signal had ended.
  int exit_status(int status) const;
};

}  // namespace lg81xx::cli
