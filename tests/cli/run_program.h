#pragma once
// Runs a program to its end and collects its exit status and output.
#include <filesystem>
#include <string>
#include <vector>

namespace lg81xx::testing {

struct RunResult {
  int status = -1;  // the exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

RunResult run_program(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& working_dir = {});

}  // namespace lg81xx::testing
