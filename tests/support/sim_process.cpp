#include "support/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace lg81xx::testing {

SimProcess::SimProcess(const std::string& program, const std::vector<std::string>& args, int timeout_ms,
                       const std::filesystem::path& error_file) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  if (!error_file.empty())
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, error_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
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

int SimProcess::wait(int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (pid_ > 0) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return status;
    }
    if (std::chrono::steady_clock::now() >= deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return -1;
}

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
