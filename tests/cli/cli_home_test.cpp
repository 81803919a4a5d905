// The program folder of a command-line run.
#include <gtest/gtest.h>

#include "home_folder.h"
#include "support/temp_dir.h"

namespace lg81xx::cli {
namespace {

using testing::read_file;
using testing::TempDir;
using testing::write_file;

TEST(CliHome, TheProgramFolderWhenItHoldsTheIniElseASeededUserFolder) {
  TempDir program, user;
  // No LG81XX.ini beside the program: the user folder, seeded as a first start.
  auto home = prepare_home(std::nullopt, program.path(), user / "lg81xx");
  EXPECT_EQ(home.path, user / "lg81xx");
  EXPECT_EQ(read_file(user / "lg81xx" / "LG81XX.ini"), "MIDP=0\r\n");
  // With one: the program's own folder, its file untouched.
  write_file(program / "LG81XX.ini", "MIDP=1\r\n");
  write_file(program / "emu.zip", "zip");
  EXPECT_EQ(prepare_home(std::nullopt, program.path(), user / "lg81xx").path, program.path());
  EXPECT_EQ(read_file(program / "LG81XX.ini"), "MIDP=1\r\n");
  // --home: created, seeded, and given the program's emu.zip; an existing ini is kept.
  home = prepare_home(user / "mine", program.path(), user / "lg81xx");
  EXPECT_EQ(home.path, user / "mine");
  EXPECT_EQ(read_file(user / "mine" / "LG81XX.ini"), "MIDP=0\r\n");
  EXPECT_EQ(read_file(user / "mine" / "emu.zip"), "zip");
  write_file(user / "mine" / "LG81XX.ini", "MIDP=1\r\n");
  prepare_home(user / "mine", program.path(), user / "lg81xx");
  EXPECT_EQ(read_file(user / "mine" / "LG81XX.ini"), "MIDP=1\r\n");
  // An emu.zip that an installation keeps elsewhere, put there after the first start.
  TempDir share;
  EXPECT_FALSE(std::filesystem::exists(user / "lg81xx" / "emu.zip"));
  write_file(share / "emu.zip", "shared zip");
  prepare_home(std::nullopt, user / "no-program", user / "lg81xx", {user / "nothing", share.path()});
  EXPECT_EQ(read_file(user / "lg81xx" / "emu.zip"), "shared zip");
  // A --home that cannot be a folder.
  write_file(user / "plain-file", "x");
  EXPECT_TRUE(prepare_home(user / "plain-file", program.path(), user / "lg81xx").path.empty());
}

}  // namespace
}  // namespace lg81xx::cli
