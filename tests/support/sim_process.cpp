#include "support/sim_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

extern char** environ;

namespace lg81xx::testing {

SimProcess::SimProcess(const std::string& program, const std::vector<std::string>& args, int timeout_ms) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::vector<std::string> argv_text = {program};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argv_text) argv.push_back(a.data());
  argv.push_back(nullptr);
  const int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  out_ = fds[0];
  if (rc != 0) {
    pid_ = -1;
    throw std::runtime_error("cannot start " + program);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  std::string line;
  while (line.find('\n') == std::string::npos) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd p{out_, POLLIN, 0};
    char c[256];
    ssize_t n = 0;
    if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0 || (n = read(out_, c, sizeof c)) <= 0) {
      stop();
      throw std::runtime_error(program + " printed no device path");
    }
    line.append(c, static_cast<std::size_t>(n));
  }
  device_path_ = line.substr(0, line.find('\n'));
}

SimProcess::~SimProcess() { stop(); }

int SimProcess::stop(int signal) {
  int status = -1;
  if (pid_ > 0) {
    kill(pid_, signal);
    waitpid(pid_, &status, 0);
    pid_ = -1;
  }
  if (out_ >= 0) {
    close(out_);
    out_ = -1;
  }
  return status;
}

}  // namespace lg81xx::testing
