// lg81xx-sim as a program: stopped, it removes the storage it made itself, and only that.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;
const std::string kSim = LG81XX_SIM_BINARY;

TEST(SimProgram, RemovesOnlyTheStorageItMade) {
  TempDir tmp;
  TempDir user_storage;
  setenv("TMPDIR", tmp.path().c_str(), 1);  // this test is the binary's only one
  {
    SimProcess made(kSim, {"--many-entries", "Images:3"});
    SimProcess given(kSim, {"--model", "LG U8110", "--storage", user_storage.path().string()});
    ASSERT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()), 1);
    const fs::path made_storage = *fs::directory_iterator(tmp.path());
    EXPECT_TRUE(fs::exists(made_storage / "Images" / "voce0003.txt"));
    for (auto* sim : {&made, &given}) {
      const int status = sim->stop();  // SIGTERM
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
  }
  EXPECT_TRUE(fs::is_empty(tmp.path()));
  EXPECT_TRUE(fs::is_directory(user_storage / "Immagini"));
}

}  // namespace
}  // namespace lg81xx::testing
