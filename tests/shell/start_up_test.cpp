#include <gtest/gtest.h>

#include "shell/messages.h"
#include "support/form_fixture.h"
#include "support/jar_files.h"

namespace lg81xx::testing {
namespace {

void make_zip(const std::filesystem::path& path, const ZipEntries& entries) { ASSERT_TRUE(make_jar(path, entries)); }

class StartUp : public FormFixture {};

// The first field of LG81XX.ini decides whether the emulation classes are unpacked; a
// missing or empty file is a first start. Every start leaves "MIDP=1".
TEST_F(StartUp, TheIniDecidesTheExtractionAndIsRewritten) {
  make_zip(home / "emu.zip", {{"emu/com/nokia/mid/ui/FullCanvas.class", "CAFE"}});
  const std::pair<std::optional<std::string>, bool> rows[] = {
      {"MIDP=0\r\n", true}, {std::nullopt, true},  {"", true},
      {"\r\nMIDP=1", true}, {"MIDP=1", false},     {"something else", false},
  };
  for (const auto& [ini, extracts] : rows) {
    std::filesystem::remove_all(home / "emu");
    std::filesystem::remove(home / "LG81XX.ini");
    if (ini) write_file(home / "LG81XX.ini", *ini);
    ASSERT_EQ(form.start_up(), StartResult::ok) << ini.value_or("(none)");
    EXPECT_EQ(std::filesystem::exists(home / "emu/com/nokia/mid/ui/FullCanvas.class"), extracts) << ini.value_or("(none)");
    EXPECT_EQ(read_file(home / "LG81XX.ini"), "MIDP=1\r\n");
  }
  EXPECT_TRUE(ui.messages.empty());
  form.offer_ports({"COM  3", "/dev/ttyACM0 (LG)"});  // detected ports join the twenty items once
  EXPECT_EQ(form.controls().Combo2.items.size(), 21u);
  EXPECT_EQ(form.controls().Combo2.items.back(), "/dev/ttyACM0 (LG)");
}

TEST_F(StartUp, AFolderThatCannotHoldTheIniEndsTheStart) {
  write_file(home / "a-file", "x");
  const auto folder = home / "a-file" / "lg81xx";
  Form1 f(Platform{port, clock, ui, archiver, files}, folder);
  EXPECT_EQ(f.start_up(), StartResult::fatal);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "CARTELLA DEL PROGRAMMA NON SCRIVIBILE: " + folder.string() +
                                     " (sceglierne un'altra con --home)");
  EXPECT_EQ(ui.messages[0].style, MessageStyle::critical);
}

class NoArchiver final : public Archiver {
 public:
  bool present() const override { return false; }
  bool extract(const std::filesystem::path&, const std::filesystem::path&) override { return false; }
  int add_folder(const std::filesystem::path&, const std::filesystem::path&) override { return -1; }
};

TEST_F(StartUp, MissingArchiverEndsWithItsMessage) {
  NoArchiver none;
  Form1 f(Platform{port, clock, ui, none, files}, home.path());
  write_file(home / "LG81XX.ini", "MIDP=1");
  EXPECT_EQ(f.start_up(), StartResult::fatal);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "WINZIP NON TROVATO");
  EXPECT_EQ(ui.messages[0].style, MessageStyle::critical);
}

TEST_F(StartUp, ZipEntriesCannotEscapeTheProgramFolder) {
  write_file(home / "LG81XX.ini", "MIDP=0");
  std::filesystem::create_directories(home / "inner");
  Form1 f(Platform{port, clock, ui, archiver, files}, home / "inner");
  write_file(home / "inner/LG81XX.ini", "MIDP=0");
  make_zip(home / "inner/emu.zip", {{"../evil", "x"}, {"emu/../../evil2", "x"}, {"emu/good.class", "g"}});
  ASSERT_EQ(f.start_up(), StartResult::ok);
  EXPECT_FALSE(std::filesystem::exists(home / "evil"));
  EXPECT_FALSE(std::filesystem::exists(home / "evil2"));
  EXPECT_EQ(read_file(home / "inner/emu/good.class"), "g");
}

TEST_F(StartUp, PositionTextsOfThreeCharactersAreWarnedAbout) {
  for (const auto& [text, warned] : std::vector<std::pair<std::string, bool>>{{"0", false}, {"05", false}, {"3.5", true}, {"100", true}}) {
    ui.messages.clear();
    form.set_position_text(text);
    EXPECT_EQ(form.position(), text) << "the text itself is never changed";
    EXPECT_EQ(ui.messages.size(), warned ? 1u : 0u) << text;
  }
  EXPECT_EQ(ui.messages.at(0).text, "Il Valore della posizione può avere valori compresi tra 00 e 64");
}

}  // namespace
}  // namespace lg81xx::testing
