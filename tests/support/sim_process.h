#pragma once
// Runs the lg81xx-sim program for a test: starts it with the given arguments, reads the
// device path from the first line it prints, and stops it (SIGTERM) at the end. Any
// program that prints a first line and runs on until stopped will do (lg81xx-cli demo).
#include <signal.h>
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lg81xx::testing {

class SimProcess {
 public:
  // Throws std::runtime_error when the program does not start or prints no path within
  // `timeout_ms`. Its standard error goes to `error_file` when one is named.
  SimProcess(const std::string& program, const std::vector<std::string>& args, int timeout_ms = 5000,
             const std::filesystem::path& error_file = {});
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  const std::string& device_path() const { return device_path_; }
  // Sends `signal` and waits; returns the exit status (as waitpid reports it).
  int stop(int signal = SIGTERM);
  // Waits up to `timeout_ms` for the program to end by itself: its exit status (as waitpid
  // reports it), or -1 when it still runs.
  int wait(int timeout_ms);

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string device_path_;
};

}  // namespace lg81xx::testing
