#include "base/hex_codec.h"

#include <gtest/gtest.h>

namespace lg81xx {
namespace {

struct HexCase {
  std::string hex;
  Bytes bytes;
};

TEST(HexToBin, ConvertsPairsDigitsAndOddTails) {
  const std::vector<HexCase> cases = {
      {"7e", "\x7E"},
      {"A", "\x0A"},
      {"0000007E0", Bytes("\x00\x00\x00\x7E\x00", 5)},
      {"0000007E0000000000000000000000000", Bytes("\x00\x00\x00\x7E", 4) + Bytes(13, '\0')},
      {"G1", Bytes(1, '\0')},  // a pair stops at its first non-digit
      {"1G", "\x01"},
  };
  for (const auto& c : cases) EXPECT_EQ(hex_to_bin(c.hex), c.bytes) << "hex " << c.hex;
}

TEST(Shifts, MatchTheLargeIntegerShifts) {
  struct Case {
    std::int32_t value;
    int count;
    std::string left, right;
  };
  const std::vector<Case> cases = {
      {0x1234, 8, "123400", "18"},
      {0x80, 24, "80000000", "0"},
      {0x0A0B0C0D, 24, "D000000", "10"},
      {-1, 8, "FFFFFF00", "16777215"},
      {0x1234, 64, "0", "0"},  // everything shifted out
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShL(c.value, c.count), c.left) << c.value << " << " << c.count;
    EXPECT_EQ(ShR(c.value, c.count), c.right) << c.value << " >> " << c.count;
  }
}

}  // namespace
}  // namespace lg81xx
