#include "phone/frames/download_requests.h"

#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "link/request_frame.h"

namespace lg81xx {
namespace {

Bytes images_a_jpg() { return *download_names(Family::u813, {"Images", "a.jpg"}); }

TEST(DownloadRequests, ReservedFieldBytesGoOutEscapedAndOnlyTheWireLengthsGrow) {
  const Bytes cont = continuation_request(images_a_jpg(), 0x06, 0xFF7E7D, 0x10, 2);
  EXPECT_EQ(cont.size(), 60u);
  EXPECT_EQ(get_be16(cont, 1), 60u);
  EXPECT_EQ(get_be16(cont, 4), 57u);
  EXPECT_EQ(byte_at(cont, 14), 0x30u) << "the body length counts bytes before escaping";
  EXPECT_EQ(bin_to_hex(cont.substr(44)), "7D5D7D5E7DDF00" + std::string("10000000") + "02000000" + "7E");
}

// A name field: its length byte counts what the line carries (UTF-16 code units or
// bytes) and the terminator; a name the family cannot hold, or one too long for its length
// byte, gives no field.
TEST(DownloadRequests, NameFieldsCountWhatTheLineCarries) {
  const Family u813 = Family::u813, u811 = Family::u811_u812;
  struct Case {
    Family family;
    std::string name;
    std::optional<std::string> hex;
  };
  const Case cases[] = {
      {u811, "日本", std::nullopt},
      {u813, std::string(254, 'n'), "FF" + bin_to_hex(utf16le(std::string(254, 'n'))) + "0000"},
      {u813, std::string(127, 'n') + "😀" + std::string(126, 'n'), std::nullopt},  // a surrogate pair counts two
      {Family::none, "a", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto field = name_field(c.family, c.name);
    EXPECT_EQ(field ? std::optional(bin_to_hex(*field)) : std::nullopt, c.hex) << c.name.substr(0, 8);
  }
}

TEST(DownloadRequests, ReservedSequenceAndNameBytesAreEscaped) {
  // A file name with "~" (7E) and "}" (7D) in the 8-bit family, sequence byte FF.
  const Bytes get = get_request(*download_names(Family::u811_u812, {"Audio", "a~}.mid"}), 0xFF);
  // Header, sequence, fields, the folder's length and name, the file's length and name, 7E.
  EXPECT_EQ(bin_to_hex(get), "830024700021FF7DDF2086" + std::string("7DDF") + "00001800" + "06417564696F00" +
                                 "08617D5E7D5D2E6D696400" + "7E");
  EXPECT_EQ(get_be16(get, 1), get.size());
}

}  // namespace
}  // namespace lg81xx
