#pragma once
// Runs a program to its end and collects its exit status and output.
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lg81xx::testing {

struct RunResult {
  int status = -1;  // the exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// `watch`, when given, sees the program's id and its standard error so far whenever more
// of it arrives, and every few milliseconds meanwhile (to signal the program at a chosen
// moment, which may show elsewhere: in the phone's log).
using ErrorWatch = std::function<void(pid_t, const std::string&)>;

RunResult run_program(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& working_dir, const ErrorWatch& watch = {});

}  // namespace lg81xx::testing
