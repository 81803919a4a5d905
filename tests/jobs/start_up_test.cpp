// The program folder at every start: the emulation classes unpacked at a first start or
// whenever their folder is missing, and LG81XX.ini left saying "MIDP=1". (A folder that
// cannot hold it is among the command line's refusals.)
#include <gtest/gtest.h>

#include <algorithm>

#include "jobs/start_up.h"
#include "support/jar_files.h"
#include "support/jobs_fixture.h"

namespace lg81xx::testing {
namespace {

void make_zip(const std::filesystem::path& path, const ZipEntries& entries) { ASSERT_TRUE(make_jar(path, entries)); }

class StartUp : public JobsFixture {};

std::vector<std::string> names_in(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// The folder "emu" decides whether the emulation classes are unpacked, whatever
// LG81XX.ini says (a missing one is a first start); every start leaves "MIDP=1".
TEST_F(StartUp, TheEmulationClassesAreUnpackedWheneverTheirFolderIsMissing) {
  const auto beside = home.path().filename().string() + "-evil";  // where an escaping entry would land
  make_zip(home / "emu.zip", {{"emu/com/nokia/mid/ui/FullCanvas.class", "CAFE"},
                              {"LG81XX.ini", "MIDP=7"},
                              {"../" + beside, "x"},
                              {"emu/../../" + beside, "x"}});
  ASSERT_TRUE(start_up(jobs, home.path()).ok());
  EXPECT_EQ(read_file(home / "emu/com/nokia/mid/ui/FullCanvas.class"), "CAFE");
  EXPECT_EQ(names_in(home.path()), (std::vector<std::string>{"LG81XX.ini", "emu", "emu.zip"}));
  EXPECT_EQ(names_in(home / "emu"), std::vector<std::string>{"com"});
  EXPECT_FALSE(std::filesystem::exists(home.path().parent_path() / beside));
  EXPECT_EQ(read_file(home / "LG81XX.ini"), "MIDP=1\r\n");

  make_zip(home / "emu.zip", {{"emu/com/nokia/mid/ui/FullCanvas.class", "BABE"}});
  ASSERT_TRUE(start_up(jobs, home.path()).ok());
  EXPECT_EQ(read_file(home / "emu/com/nokia/mid/ui/FullCanvas.class"), "CAFE") << "an unpacked folder is kept";
  std::filesystem::remove_all(home / "emu");
  write_file(home / "LG81XX.ini", "something else");
  ASSERT_TRUE(start_up(jobs, home.path()).ok());
  EXPECT_EQ(read_file(home / "emu/com/nokia/mid/ui/FullCanvas.class"), "BABE");
  EXPECT_EQ(read_file(home / "LG81XX.ini"), "MIDP=1\r\n");
  EXPECT_TRUE(listener.notices.empty());
}

// "MIDP=0" unpacks an updated emu.zip over the classes already there: the old folder goes
// whole, or stays whole when the new archive cannot be unpacked (and "MIDP=0" with it).
TEST_F(StartUp, MidpZeroReplacesTheEmulationClassesWhole) {
  write_file(home / "emu/com/Stale.class", "old");
  write_file(home / "emu/com/nokia/mid/ui/FullCanvas.class", "CAFE");
  write_file(home / "LG81XX.ini", "MIDP=0");
  ASSERT_TRUE(start_up(jobs, home.path()).ok());
  EXPECT_EQ(read_file(home / "LG81XX.ini"), "MIDP=0") << "no emu.zip yet: nothing was unpacked";
  // The second class's bytes damaged inside the archive: its check sum fails mid-unpack.
  make_zip(home / "emu.zip", {{"emu/com/nokia/mid/ui/A.class", "fine"}, {"emu/com/nokia/mid/ui/B.class", "DAMAGED"}});
  auto damaged = read_file(home / "emu.zip");
  damaged.replace(damaged.find("DAMAGED"), 7, "damaged");
  write_file(home / "emu.zip", damaged);
  write_file(home / "LG81XX.ini", "MIDP=0,x\r\n");
  ASSERT_TRUE(start_up(jobs, home.path()).ok());
  EXPECT_EQ(listener.notices, (std::vector<Message>{{MessageId::bad_emu_archive, {}, {}}}));
  EXPECT_EQ(names_in(home.path()), (std::vector<std::string>{"LG81XX.ini", "emu", "emu.zip"}));
  EXPECT_EQ(names_in(home / "emu/com"), (std::vector<std::string>{"Stale.class", "nokia"}));
  EXPECT_EQ(names_in(home / "emu/com/nokia/mid/ui"), std::vector<std::string>{"FullCanvas.class"});
  EXPECT_EQ(read_file(home / "LG81XX.ini"), "MIDP=0,x\r\n") << "the next start tries again";

  make_zip(home / "emu.zip", {{"emu/com/nokia/mid/ui/FullCanvas.class", "BABE"}});
  ASSERT_TRUE(start_up(jobs, home.path()).ok());
  EXPECT_EQ(names_in(home.path()), (std::vector<std::string>{"LG81XX.ini", "emu", "emu.zip"}));
  EXPECT_EQ(names_in(home / "emu/com"), std::vector<std::string>{"nokia"});
  EXPECT_EQ(read_file(home / "emu/com/nokia/mid/ui/FullCanvas.class"), "BABE");
  EXPECT_EQ(read_file(home / "LG81XX.ini"), "MIDP=1\r\n");
}

TEST_F(StartUp, AnArchiveWithoutTheFolderEmuIsRefused) {
  // A first start and a later one; an archive of loose classes and a file that is none.
  for (const std::string ini : {"MIDP=0", "MIDP=1"}) {
    write_file(home / "LG81XX.ini", ini);
    if (ini == "MIDP=0")
      make_zip(home / "emu.zip", {{"com/nokia/mid/ui/FullCanvas.class", "CAFE"}, {"emu", "a file"}});
    else
      write_file(home / "emu.zip", "not an archive");
    listener.notices.clear();
    ASSERT_TRUE(start_up(jobs, home.path()).ok()) << ini;
    EXPECT_EQ(names_in(home.path()), (std::vector<std::string>{"LG81XX.ini", "emu.zip"})) << ini;
    EXPECT_EQ(listener.notices, (std::vector<Message>{{MessageId::bad_emu_archive, {}, {}}})) << ini;
    EXPECT_EQ(read_file(home / "LG81XX.ini"), ini == "MIDP=0" ? ini : "MIDP=1\r\n");
  }
}

}  // namespace
}  // namespace lg81xx::testing
