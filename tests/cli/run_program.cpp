#include "run_program.h"

#include <poll.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

constexpr int kWatchMs = 5;  // how often the watch sees a program that prints nothing

// One word for the shell, whatever bytes it holds.
std::string quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  out += '\'';
  return out;
}

}  // namespace

// The shell prints its own id, then becomes the program with its standard error on the
// pipe and its standard output in a file.
RunResult run_program(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& working_dir, const ErrorWatch& watch) {
  TempDir scratch;
  std::string command = "cd " + quoted(working_dir.string()) + " && echo $$ && exec " + quoted(program.string());
  for (const auto& arg : args) command.append(" ").append(quoted(arg));
  command += " 2>&1 >" + quoted((scratch / "out").string()) + " </dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  RunResult result;
  pid_t pid = -1;
  char buf[4096];
  for (;;) {
    pollfd p{fileno(pipe), POLLIN, 0};
    if (poll(&p, 1, kWatchMs) == 0) {  // nothing new: the watch looks elsewhere too
      if (pid > 0 && watch) watch(pid, result.err);
      continue;
    }
    const ssize_t n = read(fileno(pipe), buf, sizeof buf);
    if (n <= 0) break;
    result.err.append(buf, static_cast<std::size_t>(n));
    if (const auto end = result.err.find('\n'); pid < 0 && end != std::string::npos) {
      pid = std::stoi(result.err.substr(0, end));
      result.err.erase(0, end + 1);
    }
    if (pid > 0 && watch) watch(pid, result.err);
  }
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = read_file(scratch / "out");
  return result;
}

}  // namespace lg81xx::testing
