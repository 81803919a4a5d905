// lg81xx-sim as a program: it refuses bad arguments with CLI11's exit status before it
// serves, and removes the storage it made itself when it is stopped.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "cli/run_program.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;
const std::string kSim = LG81XX_SIM_BINARY;

TEST(SimProgram, RefusesBadArguments) {
  TempDir work;
  write_file(work / "a-file", "x");
  struct Row {
    std::vector<std::string> args;
    int status;
  };
  const Row rows[] = {
      {{"--imei", "35432109876543a"}, 105},
      {{"--model", "LG U8140"}, 105},
      {{"--storage", (work / "a-file").string()}, 105},
      {{"--fault", "garbage"}, 107},
      {{"--fault-at", "3", "--fault", "nonsense"}, 105},
      {{"--many-entries", "Immagini:5"}, 105},  // a U8110 folder, and the model is the U8130
      {{"--many-entries", "Images:0"}, 105},
      {{"--no-such-option"}, 109},
  };
  for (const auto& r : rows) {
    std::vector<std::string> args{"10", kSim};  // timeout(1) ends a program that serves by mistake
    args.insert(args.end(), r.args.begin(), r.args.end());
    const auto result = run_program("/usr/bin/timeout", args, work.path());
    EXPECT_EQ(result.status, r.status) << r.args.front() << "\n" << result.err;
  }
}

TEST(SimProgram, RemovesOnlyTheStorageItMade) {
  TempDir tmp;
  TempDir user_storage;
  const char* old_tmpdir = std::getenv("TMPDIR");
  const std::string saved = old_tmpdir ? old_tmpdir : "";
  setenv("TMPDIR", tmp.path().c_str(), 1);
  {
    SimProcess made(kSim, {"--many-entries", "Images:3", "--fault-at", "9", "--fault", "refusal", "--from", "9",
                           "--pieces", "2", "--piece-gap", "450", "--busy-listing", "1"});
    SimProcess given(kSim, {"--model", "LG U8110", "--storage", user_storage.path().string()});
    ASSERT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()), 1);
    const fs::path made_storage = *fs::directory_iterator(tmp.path());
    EXPECT_TRUE(fs::exists(made_storage / "Images" / "voce0003.txt"));
    for (auto* sim : {&made, &given}) {
      const int status = sim->stop();  // SIGTERM
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
  }
  if (old_tmpdir) setenv("TMPDIR", saved.c_str(), 1); else unsetenv("TMPDIR");
  EXPECT_TRUE(fs::is_empty(tmp.path()));
  EXPECT_TRUE(fs::is_directory(user_storage / "Immagini"));
}

}  // namespace
}  // namespace lg81xx::testing
