#include "replay_run.h"

#include <sys/wait.h>

#include <cstdlib>

#include "link/trace_format.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;

// How many words of the recorded command at `word` the run gives itself: the option and its
// value, the option=value, or none.
int own_words(const std::string& word) {
  for (const std::string option : {"--port", "--home", "--trace"}) {
    if (word == option) return 2;
    if (word.rfind(option + "=", 0) == 0) return 1;
  }
  return 0;
}

// The recorded arguments with the port and the program folder of this run, and no trace.
std::vector<std::string> replayed_arguments(const std::vector<std::string>& recorded, const std::string& device,
                                            const fs::path& home) {
  std::vector<std::string> out{"--port", device, "--home", home.string()};
  for (std::size_t i = 0; i < recorded.size();) {
    if (const int own = own_words(recorded[i])) {
      i += static_cast<std::size_t>(own);
      continue;
    }
    out.push_back(recorded[i++]);
  }
  return out;
}

void copy_examples(const fs::path& to) {
  for (const auto& entry : fs::directory_iterator(LG81XX_EXAMPLES_DIR))
    if (entry.is_regular_file() && entry.path().extension() != ".cmake")
      fs::copy_file(entry.path(), to / entry.path().filename());
}

}  // namespace

ReplayRun run_replay(const fs::path& trace_file, const std::vector<std::string>& sim_options) {
  ReplayRun run;
  const Trace trace = read_trace(read_file(trace_file));
  const auto words = heading_command(trace.heading);
  if (trace.heading.empty() || !trace.heading.front().starts_with("lg81xx-cli ") || !words) {
    run.problem = trace_file.string() + ": no \"# lg81xx-cli VERSION\" and \"# command: ...\" header";
    return run;
  }
  TempDir work;
  TempDir home;
  copy_examples(work.path());
  // The user's data folder of this run alone: a sound replaced keeps the phone's own
  // sound there, read from the phone first.
  setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
  setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);  // and its recorded session
  std::vector<std::string> sim_args{"--replay", trace_file.string()};
  sim_args.insert(sim_args.end(), sim_options.begin(), sim_options.end());
  const auto sim_err = work / "lg81xx-sim.err";
  try {
    SimProcess sim(LG81XX_SIM_BINARY, sim_args, 5000, sim_err);
    run.cli = run_program(LG81XX_CLI_BINARY, replayed_arguments(*words, sim.device_path(), home.path()), work.path());
    const int status = sim.wait(10000);  // it ends by itself once the command closed the line
    run.sim_status = status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  } catch (const std::exception& e) {
    run.problem = e.what();
  }
  run.sim_err = read_file(sim_err);
  return run;
}

}  // namespace lg81xx::testing
