#pragma once
// Ctrl-C during a phone command: the first one asks the job to stop after the exchange
// under way, so that the session is closed and nothing partial is saved (the command then
// exits 130); a second one ends the program at once.
#include "jobs/job_context.h"

namespace lg81xx::cli {

class CancelOnInterrupt {
 public:
  // Ctrl-C stops the job of `jobs` until this is destroyed.
  explicit CancelOnInterrupt(JobContext& jobs);
  ~CancelOnInterrupt();
  CancelOnInterrupt(const CancelOnInterrupt&) = delete;
  CancelOnInterrupt& operator=(const CancelOnInterrupt&) = delete;
};

}  // namespace lg81xx::cli
