#include "platform/zip/zip_archiver.h"

#include <gtest/gtest.h>

#include "support/jar_files.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

TEST(SafeEntryName, RefusesNamesThatLeaveTheFolder) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"emu/a.class", true}, {"..a", true},       {"../evil", false}, {"/etc/passwd", false},
      {"a/../../b", false},  {"..\\evil", false}, {"C:evil", false},  {"a/..", false},
  };
  for (const auto& [name, safe] : cases) EXPECT_EQ(is_safe_entry_name(name), safe) << name;
}

TEST(ZipArchiver, AddsAFolderRecursivelyReplacingSameNames) {
  TempDir dir;
  ZipArchiver archiver;
  write_file(dir / "emu/com/nokia/A.class", "new A");
  write_file(dir / "emu/B.class", "B");
  const auto jar = dir / "app.jar";
  ASSERT_TRUE(make_jar(jar, {{"com/nokia/A.class", "old A"}, {"META-INF/MANIFEST.MF", "M"}}));
  EXPECT_EQ(archiver.add_folder(jar, dir / "emu"), 2);
  EXPECT_EQ(jar_entries(read_file(jar)),
            (ZipEntries{{"com/nokia/A.class", "new A"}, {"B.class", "B"}, {"META-INF/MANIFEST.MF", "M"}}));
  EXPECT_EQ(archiver.add_folder(jar, dir / "missing"), 0);
}

}  // namespace
}  // namespace lg81xx::testing
