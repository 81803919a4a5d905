// lg81xx-sim as a program: stopped, it removes the storage it made itself, and only that;
// a packet that never completes does not hold it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "support/line_client.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;
const std::string kSim = LG81XX_SIM_BINARY;

TEST(SimProgram, RemovesOnlyTheStorageItMade) {
  TempDir tmp;
  TempDir user_storage;
  const char* const tmpdir = std::getenv("TMPDIR");
  const std::string before = tmpdir != nullptr ? tmpdir : "";
  setenv("TMPDIR", tmp.path().c_str(), 1);
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
  if (tmpdir != nullptr)
    setenv("TMPDIR", before.c_str(), 1);
  else
    unsetenv("TMPDIR");
}

// Three bytes that announce a 65,535-byte packet: the phone logs the drop by itself a second
// later and answers the next request.
TEST(SimProgram, APacketThatNeverCompletesIsDroppedAndTheNextAnswered) {
  TempDir tmp;
  const auto log = tmp / "traffic.log";
  SimProcess sim(kSim, {"--log", log.string()});
  LineClient client(sim.device_path());
  client.write("\x83\xFF\xFF");
  ASSERT_TRUE(eventually([&] { return read_file(log).find("incomplete request dropped") != std::string::npos; }));
  client.write("AT+CGSN\r\n");
  const auto has_ok = [](const Bytes& got) { return got.find("OK\r\n") != Bytes::npos; };
  EXPECT_NE(client.read_until(has_ok).find("354321098765432"), Bytes::npos);
}

}  // namespace
}  // namespace lg81xx::testing
