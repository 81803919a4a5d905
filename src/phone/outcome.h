#pragma once
// How a job ended, and what it brought back.
namespace lg81xx {

enum class JobResult {
  ok,
  no_reply,       // the phone did not answer in time
  refused,        // the phone answered with a refusal
  bad_input,      // refused before anything was sent (name, position, model, selection)
  local_file,     // a local file could not be read or written
  not_connected,  // the port is closed
  cancelled,      // the user cancelled a dialog
  link_lost,      // the port went away during the job
  busy,           // the phone stayed busy however often it was asked again
  bad_reply,      // the phone answered, but not with a whole reply the job could use
  interrupted,    // the user stopped the job; the session with the phone was closed
};

// A job's result with its value. The value holds what the job got even when it ended
// badly part way (the IMEI of a connect whose line went away afterwards).
template <class T>
struct Outcome {
  JobResult result = JobResult::ok;
  T value{};
  bool ok() const { return result == JobResult::ok; }
};

}  // namespace lg81xx
