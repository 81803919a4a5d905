// The pure cuts: listing rows, root folders, port names.
#include "phone/frames/listing_frames.h"

#include <gtest/gtest.h>

#include "link/port_names.h"
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

TEST(PortNames, ComboTextsNameDevices) {
  struct Case {
    const char* text;
    const char* device;
  };
  for (const Case& c : {Case{"COM  20", "/dev/ttyS19"}, Case{"COM3", "/dev/ttyS2"}, Case{" /dev/pts/3 ", "/dev/pts/3"},
                        Case{"/dev/ttyUSB0 (LG CDMA USB Modem)", "/dev/ttyUSB0"}, Case{"   ", ""}})
    EXPECT_EQ(port_device(c.text), c.device) << c.text;
  EXPECT_EQ(port_device(port_item("/dev/ttyACM1", "USB Modem (LG)")), "/dev/ttyACM1");
}

}  // namespace
}  // namespace lg81xx
