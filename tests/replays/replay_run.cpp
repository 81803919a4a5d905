#include "replay_run.h"

#include <sys/wait.h>

#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "trace_reader.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The recorded arguments with the port, the program folder and the trace of this run.
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

std::optional<std::vector<std::string>> command_words(std::string_view text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    std::string word;
    bool quoted = false;
    for (; i < text.size() && (quoted || text[i] != ' '); ++i) {
      const char c = text[i];
      if (c == '"') {
        quoted = !quoted;
      } else if (c == '\\' && i + 1 < text.size()) {
        ++i;
        if (text[i] == 'x' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 && hex_value(text[i + 2]) >= 0) {
          word.push_back(static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2])));
          i += 2;
        } else {
          word.push_back(text[i]);
        }
      } else {
        word.push_back(c);
      }
    }
    if (quoted) return std::nullopt;
    words.push_back(word);
  }
  return words;
}

ReplayRun run_replay(const fs::path& trace_file, const std::vector<std::string>& sim_options) {
  ReplayRun run;
  std::string why;
  const auto trace = sim::read_trace_file(trace_file, why);
  const auto command = trace ? sim::trace_comment(*trace, "command") : std::nullopt;
  const auto words = command ? command_words(*command) : std::nullopt;
  if (!trace || trace->comments.empty() || trace->comments.front().rfind("lg81xx-cli ", 0) != 0 || !words) {
    run.problem =
        trace_file.string() + ": " + (trace ? "no \"# lg81xx-cli VERSION\" and \"# command: ...\" header" : why);
    return run;
  }
  TempDir work;
  TempDir home;
  copy_examples(work.path());
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
