#pragma once
// Runs a program to its end and collects its exit status and output; starts a program
// that keeps running (the virtual phone on a pseudo-terminal) and stops it again.
#include <sys/types.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lg81xx::testing {

struct RunResult {
  int status = -1;  // the exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

RunResult run_program(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& working_dir = {});

// A program left running. Its standard output is drained all along (so that it never
// blocks on a full pipe); the constructor waits up to ten seconds for its first line.
class RunningProgram {
 public:
  RunningProgram(const std::filesystem::path& program, const std::vector<std::string>& args);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool running() const { return pid_ > 0; }
  std::string first_line() const;

 private:
  pid_t pid_ = -1;
  int out_fd_ = -1;
  std::thread drain_;
  mutable std::mutex mutex_;
  std::condition_variable line_ready_;
  std::string output_;
};

}  // namespace lg81xx::testing
