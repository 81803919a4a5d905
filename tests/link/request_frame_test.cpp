#include "link/request_frame.h"

#include <gtest/gtest.h>

#include "base/hex_codec.h"

namespace lg81xx {
namespace {

TEST(PlaceSequence, EscapesReservedValuesAndCountsTheExtraByte) {
  struct Case {
    unsigned seq;
    std::string pair;
  };
  // Plain values go in place (only the low eight bits fit); reserved ones are escaped.
  for (const Case& c : {Case{0x0A, "0A"}, Case{0x102, "02"}, Case{0x7D, "7D5D"}, Case{0x7E, "7D5E"},
                        Case{0xFF, "7DDF"}}) {
    Bytes frame = hex_to_bin("83001170000EFF7DDF00A100000008007E");
    place_sequence(frame, c.seq);
    const bool grew = c.pair.size() == 4;
    EXPECT_EQ(bin_to_hex(frame), (grew ? "83001270000FFF7DDF00A1" : "83001170000EFF7DDF00A1") + c.pair + "000008007E");
  }
}

}  // namespace
}  // namespace lg81xx
