// One recorded session of tests/replays as a test (replay_run.h): it passes when the
// command line and the replay both exit 0.
#include <iostream>

#include "replay_run.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const auto run = lg81xx::testing::run_replay(argv[1]);
  if (!run.problem.empty()) {
    std::cerr << run.problem << "\n";
    return 1;
  }
  if (run.cli.status == 0 && run.sim_status == 0) return 0;
  std::cerr << "lg81xx-cli exit status " << run.cli.status << "\n"
            << run.cli.err << run.cli.out << "\nlg81xx-sim exit status " << run.sim_status << "\n"
            << run.sim_err;
  return 1;
}
