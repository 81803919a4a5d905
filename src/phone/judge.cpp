#include "phone/judge.h"

namespace lg81xx {

JobResult judge(const Reply& reply, Framing framing, bool continue_is_success) {
  switch (reply.status) {
    case ReplyStatus::silence: return JobResult::no_reply;
    case ReplyStatus::link_lost: return JobResult::link_lost;
    case ReplyStatus::incomplete: return JobResult::bad_reply;
    case ReplyStatus::interrupted: return JobResult::interrupted;
    case ReplyStatus::whole: break;
  }
  switch (code_of(reply.bytes, framing)) {
    case ReplyCode::success: return JobResult::ok;
    case ReplyCode::more: return continue_is_success ? JobResult::ok : JobResult::bad_reply;
    case ReplyCode::busy: return JobResult::busy;
    case ReplyCode::refused: return JobResult::refused;
    case ReplyCode::unexpected: break;
  }
  return JobResult::bad_reply;
}

bool is_busy(const Reply& reply) { return reply.whole() && code_of(reply.bytes, Framing::obex) == ReplyCode::busy; }

}  // namespace lg81xx
