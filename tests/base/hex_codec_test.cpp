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
      {"7e", "\x7E"},         {"A", "\x0A"}, {"0000007E0", Bytes("\x00\x00\x00\x7E\x00", 5)},
      {"G1", Bytes(1, '\0')},  // a pair stops at its first non-digit
      {"1G", "\x01"},
  };
  for (const auto& c : cases) EXPECT_EQ(hex_to_bin(c.hex), c.bytes) << "hex " << c.hex;
}

}  // namespace
}  // namespace lg81xx
