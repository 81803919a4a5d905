// The program folder of a command-line run.
#include <gtest/gtest.h>

#include "home_folder.h"
#include "support/temp_dir.h"

namespace lg81xx::cli {
namespace {

using testing::read_file;
using testing::TempDir;
using testing::write_file;

TEST(CliHome, TheProgramFolderWhenItHoldsTheIniElseAUserFolder) {
  TempDir program, user;
  write_file(program / "emu.zip", "zip");
  // No LG81XX.ini beside the program: the user folder, created and given the emu.zip.
  EXPECT_EQ(prepare_home(std::nullopt, program.path(), user / "lg81xx").path, user / "lg81xx");
  EXPECT_EQ(read_file(user / "lg81xx" / "emu.zip"), "zip");
  // With one: the program's own folder, its file untouched.
  write_file(program / "LG81XX.ini", "MIDP=1\r\n");
  EXPECT_EQ(prepare_home(std::nullopt, program.path(), user / "lg81xx").path, program.path());
  EXPECT_EQ(read_file(program / "LG81XX.ini"), "MIDP=1\r\n");
  // Asking whether the folder takes files left nothing in it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program.path()), {}), 2);
  // --home wins, and is created.
  EXPECT_EQ(prepare_home(user / "mine", program.path(), user / "lg81xx").path, user / "mine");
  EXPECT_TRUE(std::filesystem::is_directory(user / "mine"));
  // An emu.zip that an installation keeps elsewhere, put there after the first start.
  TempDir share;
  const std::vector<std::filesystem::path> installed{user / "nothing", share.path()};
  prepare_home(std::nullopt, user / "no-program", user / "other", installed);
  EXPECT_FALSE(std::filesystem::exists(user / "other" / "emu.zip"));
  write_file(share / "emu.zip", "shared zip");
  prepare_home(std::nullopt, user / "no-program", user / "other", installed);
  EXPECT_EQ(read_file(user / "other" / "emu.zip"), "shared zip");
  // A --home that cannot be a folder.
  write_file(user / "plain-file", "x");
  const auto refused = prepare_home(user / "plain-file", program.path(), user / "lg81xx");
  EXPECT_TRUE(refused.path.empty());
  EXPECT_NE(refused.error.find("--home"), std::string::npos) << refused.error;
}

}  // namespace
}  // namespace lg81xx::cli
