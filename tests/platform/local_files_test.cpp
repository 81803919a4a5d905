// Saving a file: whatever is already at the destination, what the save does to it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <deque>
#include <functional>

#include "platform/files.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> names_in(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(LocalFilesSave, EveryKindOfDestination) {
  TempDir dir;
  const mode_t umask_before = ::umask(027);
  struct Case {
    const char* what;
    std::function<fs::path()> destination;  // made as the case needs it
    Replace replace;
    SaveResult result;
  };
  const Case cases[] = {
      {"none", [&] { return dir / "new"; }, Replace::never, SaveResult::ok},
      {"regular",
       [&] {
         write_file(dir / "old", "old");
         return dir / "old";
       },
       Replace::never, SaveResult::exists},
      {"regular, replace allowed",
       [&] {
         write_file(dir / "old", "old");
         return dir / "old";
       },
       Replace::regular_file, SaveResult::ok},
      {"folder",
       [&] {
         fs::create_directory(dir / "folder");
         return dir / "folder";
       },
       Replace::regular_file, SaveResult::is_folder},
      {"dangling link",
       [&] {
         fs::create_symlink(dir / "absent", dir / "dangling");
         return dir / "dangling";
       },
       Replace::regular_file, SaveResult::not_a_file},
      {"unwritable folder", [] { return fs::path("/proc/lg81xx-test"); }, Replace::never,
       SaveResult::folder_not_writable},
      {"missing folder", [&] { return dir / "missing" / "a"; }, Replace::never, SaveResult::no_folder},
      {"256-byte name", [&] { return dir / std::string(256, 'n'); }, Replace::never, SaveResult::name_too_long},
  };
  LocalFiles files;
  for (const Case& c : cases) {
    const fs::path destination = c.destination();
    auto names = names_in(dir.path());
    std::error_code ec;
    const auto kind = fs::symlink_status(destination, ec).type();
    EXPECT_EQ(files.check_save(destination, c.replace), c.result) << c.what;
    EXPECT_EQ(files.save(destination, "content", c.replace), c.result) << c.what;
    if (c.result == SaveResult::ok) {
      EXPECT_EQ(read_file(destination), "content") << c.what;
      EXPECT_EQ(fs::status(destination).permissions(), fs::perms(0640)) << c.what;  // 0666 less the umask
    } else {
      EXPECT_EQ(fs::symlink_status(destination, ec).type(), kind) << c.what;
    }
    if (kind == fs::file_type::not_found && c.result == SaveResult::ok) names.push_back(destination.filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names_in(dir.path()), names) << c.what << ": nothing else made or left";
    fs::remove_all(destination, ec);
  }
  ::umask(umask_before);
  EXPECT_FALSE(fs::exists(dir / "absent"));
}

TEST(LocalFilesSave, APlantedLinkAtTheTemporaryNameIsNeverFollowed) {
  TempDir dir;
  write_file(dir / "victim", "victim");
  fs::create_symlink(dir / "victim", dir / ".t1");
  fs::create_symlink(dir / "absent", dir / ".t2");  // following it would make "absent"
  std::deque<std::string> names{".t1", ".t2", ".t3"};
  LocalFiles files([&] {
    const std::string name = names.front();
    names.pop_front();
    return name;
  });
  EXPECT_EQ(files.save(dir / "out", "data", Replace::never), SaveResult::ok);
  EXPECT_EQ(read_file(dir / "out"), "data");
  EXPECT_EQ(read_file(dir / "victim"), "victim");
  EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{".t1", ".t2", "out", "victim"}));
  EXPECT_TRUE(fs::is_symlink(dir / ".t1"));
  EXPECT_TRUE(fs::is_symlink(dir / ".t2"));
}

}  // namespace
}  // namespace lg81xx::testing
