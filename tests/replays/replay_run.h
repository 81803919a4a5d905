#pragma once
// A recorded session replayed against the current command line: lg81xx-sim --replay TRACE
// on a pseudo-terminal, and lg81xx-cli running the command that the trace's header
// recorded, on that terminal, with a fresh program folder and no trace of its own, in a
// fresh folder that holds the examples (Saluti.jad, Saluti.jar, tono.mid).
#include <filesystem>
#include <string>
#include <vector>

#include "run_program.h"

namespace lg81xx::testing {

struct ReplayRun {
  std::string problem;  // why nothing could be run (a header without a command ...); empty when it ran
  RunResult cli;
  int sim_status = -1;  // lg81xx-sim's exit status; -1 when it did not end by itself
  std::string sim_err;
};

// `sim_options` go to lg81xx-sim after --replay TRACE.
ReplayRun run_replay(const std::filesystem::path& trace, const std::vector<std::string>& sim_options = {});

}  // namespace lg81xx::testing
