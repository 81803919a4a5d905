#pragma once
// The one place where the phone's replies become the results of jobs.
#include "link/wait_policy.h"
#include "phone/outcome.h"

namespace lg81xx {

// How `reply` ends the step that waited for it: ok for a success (and for a continue
// where `continue_is_success`), refused, busy, bad_reply for a reply that is incomplete,
// garbled or of no expected kind, no_reply for silence, link_lost.
JobResult judge(const Reply& reply, Framing framing = Framing::obex, bool continue_is_success = false);

// True for a whole OBEX reply "service unavailable": the phone asks to be asked again.
bool is_busy(const Reply& reply);

}  // namespace lg81xx
