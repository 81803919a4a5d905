#pragma once
// How a job ended: its result, what it brought back, and the message its end gives.
#include <optional>
#include <utility>
#include <variant>

#include "jobs/messages.h"
#include "phone/outcome.h"

namespace lg81xx {

template <class T = std::monostate>
struct JobOutcome {
  JobResult result = JobResult::ok;
  T value{};
  std::optional<Message> message;  // nothing when the end says nothing (a dialog closed, a question answered no)
  bool ok() const { return result == JobResult::ok; }
};

// Why a job does not start: how it ends, and its message.
struct Refusal {
  JobResult result = JobResult::bad_input;
  Message message;
};

template <class T = std::monostate>
JobOutcome<T> refused(Refusal refusal) {
  return {refusal.result, T{}, std::move(refusal.message)};
}

// After these a job over several files asks nothing more: the session is over, or the
// phone no longer answers.
inline bool ends_run(JobResult result) {
  using enum JobResult;
  return result == interrupted || result == link_lost || result == not_connected || result == no_reply;
}

}  // namespace lg81xx
