#pragma once
// Runs the lg81xx-sim program for a test: starts it with the given arguments, reads the
// device path from the first line it prints, and stops it (SIGTERM) at the end. Any
// program that prints a first line and runs on until stopped will do (lg81xx-cli demo).
#include <signal.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace lg81xx::testing {

class SimProcess {
 public:
  // Throws std::runtime_error when the program does not start or prints no path within
  // `timeout_ms`.
  SimProcess(const std::string& program, const std::vector<std::string>& args, int timeout_ms = 5000);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  const std::string& device_path() const { return device_path_; }
  // Sends `signal` and waits; returns the exit status (as waitpid reports it).
  int stop(int signal = SIGTERM);

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string device_path_;
};

}  // namespace lg81xx::testing
