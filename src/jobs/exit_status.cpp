#include "jobs/exit_status.h"

namespace lg81xx {

ExitStatus exit_status_for(JobResult result) {
  switch (result) {
    case JobResult::ok: return kSuccess;
    case JobResult::bad_input:
    case JobResult::cancelled:  // a question answered no, a dialog closed
      return kBadInput;
    case JobResult::no_reply:
    case JobResult::not_connected:
    case JobResult::link_lost:
    case JobResult::busy:
    case JobResult::bad_reply: return kNoAnswer;
    case JobResult::refused: return kRefused;
    case JobResult::local_file: return kLocalFile;
    case JobResult::interrupted: return kInterrupted;
  }
  return kBadInput;
}

}  // namespace lg81xx
