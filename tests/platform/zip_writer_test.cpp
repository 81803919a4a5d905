#include "platform/zip/zip_writer.h"

#include <gtest/gtest.h>

#include "support/jar_files.h"

namespace lg81xx::testing {
namespace {

TEST(ZipWriter, WritesEveryEntryReadableBack) {
  Bytes every_byte;
  for (int i = 0; i < 256 * 40; ++i) put_byte(every_byte, static_cast<unsigned>(i));
  const std::vector<ZipEntry> entries = {
      {"doctor.txt", "porta /dev/ttyACM0\n"}, {"sessions/2024-05-01 città.trace", every_byte}, {"empty", ""}};
  const auto archive = zip_archive(entries);
  ASSERT_TRUE(archive);
  EXPECT_EQ(jar_entries(*archive), (ZipEntries{{"doctor.txt", "porta /dev/ttyACM0\n"},
                                               {"sessions/2024-05-01 città.trace", every_byte},
                                               {"empty", ""}}));
  EXPECT_LT(archive->size(), every_byte.size());  // compressed

  for (const char* name : {"../escape", "/absolute", "", "twice", "folder/"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(zip_archive({{"twice", "1"}, {name, "2"}}));
  }
  EXPECT_FALSE(zip_archive({}));  // libzip writes no archive without entries
}

}  // namespace
}  // namespace lg81xx::testing
