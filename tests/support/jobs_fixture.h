#pragma once
// The jobs on a fake port, a virtual clock, the real local files and archiver in a
// temporary program folder, with a listener that records what the jobs tell it and
// answers their questions from a script.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "jobs/connect.h"
#include "jobs/job_context.h"
#include "platform/files.h"
#include "platform/zip/zip_archiver.h"
#include "support/fake_serial_port.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {

class RecordingListener final : public JobListener {
 public:
  void lamp(bool red) override { lamps.push_back(red); }
  void progress(const Progress& p) override { steps.push_back(p); }
  bool ask(const Message& question) override {
    questions.push_back(question.italian());
    if (on_ask) on_ask();
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  void notice(const Message& message) override { notices.push_back(message); }
  void started() override { ++starts; }
  void learned(const PhoneFacts& facts) override { stages.push_back(facts.reached); }

  std::deque<bool> answers;  // with none left the answer is no
  std::function<void()> on_ask;
  std::vector<std::string> questions;
  std::vector<Message> notices;
  std::vector<Progress> steps;
  std::vector<bool> lamps;
  std::vector<ConnectStage> stages;
  int starts = 0;
};

class JobsFixture : public ::testing::Test {
 protected:
  JobsFixture() : port(clock), jobs(port, clock, files, archiver, listener) {}

  // The line open to a phone of `model`, free as after a connect.
  void connected(const std::string& model) {
    jobs.phone().close();
    jobs.phone().set_model(model);
    jobs.phone().open("COM1");
    jobs.phone().free_line();
  }

  VirtualClock clock;
  FakeSerialPort port;
  RecordingListener listener;
  ZipArchiver archiver;
  LocalFiles files;
  TempDir home;
  JobContext jobs;
};

// The italian text of a message of the catalogue.
inline std::string said(MessageId id) { return catalogue(id).italian; }

}  // namespace lg81xx::testing
