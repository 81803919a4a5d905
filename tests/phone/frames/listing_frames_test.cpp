// The listing requests and the cuts of the answers: listing rows, root folders.
#include "phone/frames/listing_frames.h"

#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "phone/frames/root_folders.h"
#include "phone/wire_names.h"

namespace lg81xx {
namespace {

using Rows = std::vector<std::string>;

// An answer of 25 header bytes (00 where the parse must not care) and then `entries`.
Bytes reply_with(const Bytes& entries) { return Bytes("\xA0", 1) + Bytes(23, '\0') + "/" + entries; }

TEST(ListingRows, CutsTheAnswerIntoRows) {
  struct Case {
    const char* what;
    Bytes reply;
    Rows rows;
  };
  const Case cases[] = {
      {"two entries", reply_with("a.jpg:b.mid"), {"a.jpg", "b.mid"}},
      {"UTF-16LE entries lose their 00 bytes", reply_with(utf16le("a.jpg:b.mid")), {"a.jpg", "b.mid"}},
      {"a trailing colon adds an empty row", reply_with("a.jpg:"), {"a.jpg", ""}},
      {"a two-character first field is dropped", reply_with("a:bc:de"), {"bc", "de"}},
      {"an empty folder with its terminator", reply_with(Bytes(2, '\0')), {}},
      {"25 bytes get no marker: the field starts at the second byte", Bytes("\xA0", 1) + Bytes(18, '\0') + "abc:de",
       {"bc", "de"}},
      {"the marker is the first X from the second byte", Bytes("\xA0X", 2) + Bytes(22, '\0') + "/" + "a:b", {"Xa", "b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(listing_rows(listing_text(c.reply)), c.rows);
  }
}

TEST(RootFolders, ReadsNamesFromCharacter17) {
  const std::string head(17, '#');
  struct Case {
    std::string text;
    Rows names;
  };
  const Case cases[] = {
      {head + "A:/B:/C:", {"A", "B", "C"}},
      {head + "Solo:", {"Solo"}},
      {head + "A:x/B/:", {"A", "B"}},  // every "/" of a name is removed
      {"short", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(root_folders(c.text), c.names) << c.text;
  EXPECT_EQ(without_nuls(std::string("a\0b\0\0c", 6)), "abc");
}

TEST(ListingRequest, FollowsTheTemplatesAndEscapesAReservedSequenceByte) {
  struct Case {
    Family family;
    const char* folder;
    unsigned seq;
    std::string hex;
  };
  const Case cases[] = {
      {Family::u813, "Animations", 2,
       "83002C700029FF7DDF208302" "0000230000003F0016" "41006E0069006D006100740069006F006E007300" "00007E"},
      {Family::u813, "Images", 0x7D,
       "830025700022FF7DDF20837D5D" "00001B0000003F000E" "49006D00610067006500730000007E"},
      {Family::u811_u812, "Java", 0x1FF, "83001D70001AFF7DDF20837DDF" "0000130000003F000A" "4A617661" "00007E"},
      {Family::u811_u812, "Video", 2, "83001D70001AFF7DDF208302" "0000140000003F000E" "566964656F" "00007E"},
  };
  for (const Case& c : cases) EXPECT_EQ(bin_to_hex(*listing_request(c.family, c.folder, c.seq)), c.hex) << c.folder;
  for (const auto& [family, folder] : {std::pair{Family::u813, "images"}, {Family::u811_u812, "Images"}, {Family::none, "Java"}})
    EXPECT_FALSE(listing_request(family, folder, 1)) << folder;
}

}  // namespace
}  // namespace lg81xx
