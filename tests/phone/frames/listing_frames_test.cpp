// The cuts of the answers: listing rows, root folders.
#include "phone/frames/listing_frames.h"

#include <gtest/gtest.h>

#include "phone/frames/root_folders.h"
#include "phone/wire_names.h"

namespace lg81xx {
namespace {

using Rows = std::vector<std::string>;

// An answer of 25 header bytes (00 where the parse must not care) and then `entries`.
Bytes reply_with(const Bytes& entries) { return Bytes("\xA0", 1) + Bytes(23, '\0') + "/" + entries; }
Bytes wide(const std::string& utf8) { return *wire_text(Family::u813, utf8); }

TEST(ListingRows, CutsTheAnswerIntoRowsOfText) {
  const Family u813 = Family::u813, u811 = Family::u811_u812;
  struct Case {
    const char* what;
    Family family;
    Bytes reply;
    Rows rows;
  };
  const Case cases[] = {
      {"a trailing colon adds an empty row", u811, reply_with("a.jpg:"), {"a.jpg", ""}},
      {"an empty folder with its terminator", u813, reply_with(Bytes(2, '\0')), {}},
      {"an answer that ends with its header", u811, Bytes("\xA0", 1) + Bytes(18, '\0') + "abc:de", {}},
      {"one-letter names, the first one too", u811, reply_with("X:b:c"), {"X", "b", "c"}},
      {"a character holding the byte 3A is not a separator", u813, reply_with(wide("a›b")), {"a›b"}},
      {"an unpaired surrogate and an odd last byte",
       u813,
       reply_with(wide("😀") + "\x3D\xD8" + wide(":b") + "c"),
       {"😀\uFFFD", "b\uFFFD"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(listing_rows(c.family, c.reply), c.rows);
  }
}

TEST(RootFolders, ReadsNamesFromCharacter17) {
  const std::string head(17, '#');
  struct Case {
    std::string reply;
    Rows names;
  };
  const Case cases[] = {
      {head + wide("A:/B:/C:") + Bytes(2, '\0'), {"A", "B", "C"}},
      {"\xA0" + Bytes(3, '\0') + head.substr(1) + wide("Solo:"), {"Solo"}},  // 00 bytes do not count
      {head + wide("A:x/B/:"), {"A", "B"}},                                  // every "/" of a name is removed
      {"short", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(root_folders(c.reply), c.names) << c.reply;
  EXPECT_EQ(without_nuls(std::string("a\0b\0\0c", 6)), "abc");
}

}  // namespace
}  // namespace lg81xx
