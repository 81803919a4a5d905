#include "platform/zip/zip_archiver.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <map>

#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

TEST(SafeEntryName, RefusesNamesThatLeaveTheFolder) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"emu/a.class", true}, {"a", true},          {"emu/", true},         {"..a", true},
      {"../evil", false},    {"/etc/passwd", false}, {"a/../../b", false}, {"..\\evil", false},
      {"C:evil", false},     {"", false},           {"a/..", false},
  };
  for (const auto& [name, safe] : cases) EXPECT_EQ(is_safe_entry_name(name), safe) << name;
}

std::map<std::string, std::string> entries_of(const std::filesystem::path& archive) {
  std::map<std::string, std::string> out;
  int error = 0;
  zip_t* z = zip_open(archive.c_str(), ZIP_RDONLY, &error);
  if (z == nullptr) return out;
  for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
    zip_stat_t st;
    zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st);
    std::string content(st.size, '\0');
    zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0);
    zip_fread(f, content.data(), st.size);
    zip_fclose(f);
    out[st.name] = content;
  }
  zip_discard(z);
  return out;
}

TEST(ZipArchiver, AddsAFolderRecursivelyReplacingSameNames) {
  TempDir dir;
  ZipArchiver archiver;
  write_file(dir / "emu/com/nokia/A.class", "new A");
  write_file(dir / "emu/B.class", "B");
  const auto jar = dir / "app.jar";
  {
    int error = 0;
    zip_t* z = zip_open(jar.c_str(), ZIP_CREATE, &error);
    const std::string old = "old A", manifest = "Manifest-Version: 1.0\n";
    zip_file_add(z, "com/nokia/A.class", zip_source_buffer(z, old.data(), old.size(), 0), 0);
    zip_file_add(z, "META-INF/MANIFEST.MF", zip_source_buffer(z, manifest.data(), manifest.size(), 0), 0);
    ASSERT_EQ(zip_close(z), 0);
  }
  EXPECT_EQ(archiver.add_folder(jar, dir / "emu"), 2);
  const auto entries = entries_of(jar);
  EXPECT_EQ(entries.at("com/nokia/A.class"), "new A");
  EXPECT_EQ(entries.at("B.class"), "B");
  EXPECT_EQ(entries.at("META-INF/MANIFEST.MF"), "Manifest-Version: 1.0\n");
  EXPECT_EQ(archiver.add_folder(jar, dir / "missing"), 0);
}

}  // namespace
}  // namespace lg81xx::testing
