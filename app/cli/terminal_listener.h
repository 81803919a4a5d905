#pragma once
// The jobs' listener at a terminal: the catalogue's messages as lines on standard error,
// the Italian with the English beside it; the questions answered from the command's
// options; the progress as a bar.
#include <ostream>
#include <string>

#include "jobs/job_context.h"
#include "progress_meter.h"

namespace lg81xx::cli {

// "TITLE: Italian text (English)", one line.
std::string message_line(const Message& message);

class TerminalListener final : public JobListener {
 public:
  TerminalListener(std::ostream& err, bool terminal) : err_(err), meter_(err, terminal) {}

  // Every question gets `yes`; a no names `option`, the one that says yes.
  void answer_questions(bool yes, std::string option) {
    yes_ = yes;
    yes_option_ = std::move(option);
  }
  // One message on its line.
  void print(const Message& message);
  // The bar at its end, where the window shows "100%".
  void progress_done() { meter_.show(1.0); }

  void lamp(bool) override {}
  // Which file of several, before the bar.
  void progress(const Progress& progress) override {
    meter_.show(progress.fraction(),
                progress.files > 1 ? std::to_string(progress.file) + "/" + std::to_string(progress.files) : "");
  }
  bool ask(const Message& question) override;
  void notice(const Message& message) override { print(message); }
  void started() override { started_ = true; }
  // Whether a job got past its checks to the phone since the last forget_started().
  bool heard_started() const { return started_; }
  void forget_started() { started_ = false; }

 private:
  std::ostream& err_;
  ProgressMeter meter_;
  bool yes_ = false;
  bool started_ = false;
  std::string yes_option_;
};

}  // namespace lg81xx::cli
