#pragma once
// How a job's ending reads as a program's exit status: the command line exits with it,
// and every message of the catalogue names the status of the job it ends.
#include "phone/outcome.h"

namespace lg81xx {

enum ExitStatus : int {
  kSuccess = 0,
  kBadInput = 1,       // bad usage or input: nothing was sent, or the job refused it
  kNoAnswer = 2,       // the phone did not answer usefully: silent, busy, a garbled reply (or no port)
  kRefused = 3,        // the phone answered with a refusal
  kLocalFile = 4,      // a local file could not be read or written
  kInterrupted = 130,  // stopped by the user, the session closed (128 + SIGINT: the command line
                       // gives SIGTERM and SIGHUP their own 128 + N)
};

ExitStatus exit_status_for(JobResult result);

}  // namespace lg81xx
