#pragma once
// What every job runs with: the phone on its line, the local files, the archiver, and the
// listener that hears what the job does. A job takes plain values and returns a typed
// outcome (job_outcome.h); it never reads a control or shows a box. Progress, the lamp,
// questions ("replace this?") and warnings on the way go to the listener; a cancel comes
// through request_cancel().
#include <cstddef>
#include <cstdint>

#include "jobs/messages.h"
#include "phone/phone.h"
#include "platform/archiver.h"
#include "platform/files.h"

namespace lg81xx {

// How far a transfer is: the bytes of the file under way, and which file of how many.
struct Progress {
  std::uint64_t done = 0;
  std::uint64_t total = 0;
  std::size_t file = 1;  // counted from 1
  std::size_t files = 1;
  double fraction() const { return total == 0 ? 0.0 : static_cast<double>(done) / static_cast<double>(total); }
};

struct PhoneFacts;

// What a job does when something is already where it would write: asks the listener,
// replaces it, or keeps it and leaves the job's file unwritten.
enum class WhenExists { ask, replace, keep };

class JobListener {
 public:
  virtual ~JobListener() = default;
  // The traffic lamp: red while a request is on the line, green when its answer is in.
  virtual void lamp(bool red) = 0;
  virtual void progress(const Progress& progress) = 0;
  // A question before something the user has is replaced; true for yes.
  virtual bool ask(const Message& question) = 0;
  // A warning or an information on the way; the job goes on.
  virtual void notice(const Message& message) = 0;
  // The job's checks are behind it: it now talks to the phone or saves. (A question that
  // needs the phone's answer, such as a file of that name already on the phone, comes
  // after.)
  virtual void started() {}
  // A connect has learned more of the phone (jobs/connect.h), step by step.
  virtual void learned(const PhoneFacts& facts) { (void)facts; }
};

// True when `when_exists` lets the job replace what is there; `question` is asked when it
// says ask.
inline bool may_replace(JobListener& listener, WhenExists when_exists, const Message& question) {
  if (when_exists == WhenExists::ask) return listener.ask(question);
  return when_exists == WhenExists::replace;
}

class JobContext final : private PhoneEvents {
 public:
  JobContext(SerialPort& port, Clock& clock, Files& files, Archiver& archiver, JobListener& listener);
  JobContext(const JobContext&) = delete;
  JobContext& operator=(const JobContext&) = delete;

  Phone& phone() { return phone_; }
  const Phone& phone() const { return phone_; }
  Files& files() { return files_; }
  Archiver& archiver() { return archiver_; }
  JobListener& listener() { return listener_; }

  // From any thread, and from a signal handler: the job under way stops after the
  // exchange it is in, closes the session and saves nothing partial.
  void request_cancel() { phone_.request_cancel(); }
  // A new job starts: a cancel that came too late for the job before it is dropped.
  void forget_cancel() { phone_.link().clear_cancel(); }

  // The transfers from now on are file `file` of `files`.
  void count_files(std::size_t file, std::size_t files);

 private:
  void lamp(bool red) override { listener_.lamp(red); }
  void progress(std::uint64_t done, std::uint64_t total) override;

  Files& files_;
  Archiver& archiver_;
  JobListener& listener_;
  Phone phone_;
  std::size_t file_ = 1;
  std::size_t files_count_ = 1;
};

}  // namespace lg81xx
