#include "run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lg81xx::testing {
namespace {

struct Spawned {
  pid_t pid = -1;
  int out = -1;
  int err = -1;
};

Spawned spawn(const std::filesystem::path& program, const std::vector<std::string>& args,
              const std::filesystem::path& working_dir) {
  int out_pipe[2], err_pipe[2];
  if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err_pipe[1], 2);
  posix_spawn_file_actions_addclose(&actions, out_pipe[0]);
  posix_spawn_file_actions_addclose(&actions, err_pipe[0]);
  const int no_input = open("/dev/null", O_RDONLY | O_CLOEXEC);
  posix_spawn_file_actions_adddup2(&actions, no_input, 0);

  std::string program_text = program.string();
  std::vector<std::string> all{program_text};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  // The child starts in `working_dir`: change there around the spawn (tests run one at a
  // time in this process).
  const auto here = std::filesystem::current_path();
  if (!working_dir.empty()) std::filesystem::current_path(working_dir);
  Spawned s;
  if (posix_spawn(&s.pid, program_text.c_str(), &actions, nullptr, argv.data(), environ) != 0) s.pid = -1;
  if (!working_dir.empty()) std::filesystem::current_path(here);
  posix_spawn_file_actions_destroy(&actions);
  close(no_input);
  close(out_pipe[1]);
  close(err_pipe[1]);
  s.out = out_pipe[0];
  s.err = err_pipe[0];
  return s;
}

}  // namespace

RunResult run_program(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& working_dir, const ErrorWatch& watch) {
  RunResult result;
  const Spawned s = spawn(program, args, working_dir);
  if (s.pid < 0) return result;
  pollfd fds[2] = {{s.out, POLLIN, 0}, {s.err, POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open_fds = 2;
  char buf[4096];
  while (open_fds > 0) {
    if (poll(fds, 2, -1) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP)) == 0) continue;
      const ssize_t n = read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        sinks[i]->append(buf, static_cast<std::size_t>(n));
        if (i == 1 && watch) watch(s.pid, result.err);
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_fds;
      }
    }
  }
  int wstatus = 0;
  waitpid(s.pid, &wstatus, 0);
  result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  return result;
}

}  // namespace lg81xx::testing
