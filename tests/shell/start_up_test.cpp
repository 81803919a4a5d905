#include <gtest/gtest.h>

#include <algorithm>

#include "shell/messages.h"
#include "support/form_fixture.h"
#include "support/jar_files.h"

namespace lg81xx::testing {
namespace {

void make_zip(const std::filesystem::path& path, const ZipEntries& entries) { ASSERT_TRUE(make_jar(path, entries)); }

class StartUp : public FormFixture {};

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
  ASSERT_EQ(form.start_up(), StartResult::ok);
  EXPECT_EQ(read_file(home / "emu/com/nokia/mid/ui/FullCanvas.class"), "CAFE");
  EXPECT_EQ(names_in(home.path()), (std::vector<std::string>{"LG81XX.ini", "emu", "emu.zip"}));
  EXPECT_EQ(names_in(home / "emu"), std::vector<std::string>{"com"});
  EXPECT_FALSE(std::filesystem::exists(home.path().parent_path() / beside));
  EXPECT_EQ(read_file(home / "LG81XX.ini"), "MIDP=1\r\n");

  make_zip(home / "emu.zip", {{"emu/com/nokia/mid/ui/FullCanvas.class", "BABE"}});
  ASSERT_EQ(form.start_up(), StartResult::ok);
  EXPECT_EQ(read_file(home / "emu/com/nokia/mid/ui/FullCanvas.class"), "CAFE") << "an unpacked folder is kept";
  std::filesystem::remove_all(home / "emu");
  write_file(home / "LG81XX.ini", "something else");
  ASSERT_EQ(form.start_up(), StartResult::ok);
  EXPECT_EQ(read_file(home / "emu/com/nokia/mid/ui/FullCanvas.class"), "BABE");
  EXPECT_EQ(read_file(home / "LG81XX.ini"), "MIDP=1\r\n");
  EXPECT_TRUE(ui.messages.empty());
  form.offer_ports({"COM  3", "/dev/ttyACM0 (LG)"});  // detected ports join the twenty items once
  EXPECT_EQ(form.controls().Combo2.items.size(), 21u);
  EXPECT_EQ(form.controls().Combo2.items.back(), "/dev/ttyACM0 (LG)");
  // The phones' cables come first, before "COM  1", each once.
  form.offer_first({"/dev/ttyACM1 (LG)", "/dev/ttyACM0 (LG)"});
  const auto& items = form.controls().Combo2.items;
  ASSERT_EQ(items.size(), 22u);
  EXPECT_EQ(std::vector<std::string>(items.begin(), items.begin() + 3),
            (std::vector<std::string>{"/dev/ttyACM1 (LG)", "/dev/ttyACM0 (LG)", "COM  1"}));
}

TEST_F(StartUp, AnArchiveWithoutTheFolderEmuIsRefused) {
  // A first start and a later one; an archive of loose classes and a file that is none.
  for (const std::string ini : {"MIDP=0", "MIDP=1"}) {
    write_file(home / "LG81XX.ini", ini);
    if (ini == "MIDP=0")
      make_zip(home / "emu.zip", {{"com/nokia/mid/ui/FullCanvas.class", "CAFE"}, {"emu", "a file"}});
    else
      write_file(home / "emu.zip", "not an archive");
    ui.messages.clear();
    ASSERT_EQ(form.start_up(), StartResult::ok) << ini;
    EXPECT_EQ(names_in(home.path()), (std::vector<std::string>{"LG81XX.ini", "emu.zip"})) << ini;
    EXPECT_EQ(ui.messages, (std::vector<Message>{{text::kBadEmuArchive, MessageStyle::warning, ""}})) << ini;
    EXPECT_EQ(read_file(home / "LG81XX.ini"), "MIDP=1\r\n");
  }
}

TEST_F(StartUp, AFolderThatCannotHoldTheIniEndsTheStart) {
  write_file(home / "a-file", "x");
  const auto folder = home / "a-file" / "lg81xx";
  Form1 f(Platform{port, clock, ui, archiver, files}, folder);
  EXPECT_EQ(f.start_up(), StartResult::fatal);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "CARTELLA DEL PROGRAMMA NON SCRIVIBILE: " + folder.string() + " (sceglierne un'altra con --home)");
  EXPECT_EQ(ui.messages[0].style, MessageStyle::critical);
}

}  // namespace
}  // namespace lg81xx::testing
