// The program folder of a command-line run, and the sample content of the virtual phone.
#include <gtest/gtest.h>

#include "home_folder.h"
#include "platform/zip/zip_archiver.h"
#include "sample_content.h"
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
  // A --home that cannot be a folder.
  write_file(user / "plain-file", "x");
  EXPECT_TRUE(prepare_home(user / "plain-file", program.path(), user / "lg81xx").path.empty());
}

TEST(SampleContent, EachFamilyGetsItsFoldersAndTheSystemSounds) {
  TempDir u813, u812;
  ASSERT_TRUE(sim::fill_sample_content(u813.path(), "LG U8130"));
  ASSERT_TRUE(sim::fill_sample_content(u812.path(), "LG U8120"));
  EXPECT_EQ(read_file(u813 / "Images" / "lago.jpg"), sim::sample_picture());
  EXPECT_EQ(read_file(u812 / "Immagini" / "lago.jpg"), sim::sample_picture());
  EXPECT_TRUE(std::filesystem::exists(u812 / "Audio" / "melodia.mid"));
  for (const char* sound : {"MessageTone/Message1.mid", "CamTone/Shutter05.wav", "FlipTone/fliptone2.mid",
                            "Midis/LowBattery.mid"})
    EXPECT_TRUE(std::filesystem::exists(u813 / sound)) << sound;
  // The picture exercises the escaping and the "OK" letters of a download.
  const Bytes picture = sim::sample_picture();
  for (const char* needle : {"\x7D", "\x7E", "\xFF", "OK"}) EXPECT_NE(picture.find(needle), Bytes::npos);
  EXPECT_NE(sim::sample_tune(1), sim::sample_tune(2));
}

TEST(SampleContent, TheMidletsJarIsAZipAndItsSizeIsInTheJad) {
  const auto midlet = sim::sample_midlet();
  ASSERT_FALSE(midlet.jar.empty());
  EXPECT_NE(midlet.jad.find("MIDlet-Jar-Size: " + std::to_string(midlet.jar.size()) + "\r\n"), Bytes::npos);
  EXPECT_EQ(sim::sample_midlet().jar, midlet.jar);  // the same bytes every time
  TempDir dir;
  std::filesystem::path jad, jar;
  ASSERT_TRUE(sim::write_sample_midlet(dir.path(), jad, jar));
  ZipArchiver zip;
  ASSERT_TRUE(zip.extract(jar, dir / "x"));
  EXPECT_NE(read_file(dir / "x" / "META-INF" / "MANIFEST.MF").find("MIDlet-1: Saluti"), Bytes::npos);
  EXPECT_EQ(read_file(dir / "x" / "Saluti.class").substr(0, 4), "\xCA\xFE\xBA\xBE");
}

}  // namespace
}  // namespace lg81xx::cli
