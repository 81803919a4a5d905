#include "link/escaping.h"

#include <gtest/gtest.h>

#include "base/hex_codec.h"

namespace lg81xx {
namespace {

Bytes h(std::string_view hex) { return hex_to_bin(hex); }

TEST(UnescapeReply, RestoresPairsAndNeverReadsPastItsInput) {
  struct Case {
    std::string src;
    int count;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"417D5E7DDF7E", 6, "417EFF7E"},
      {"41427D", 3, "41427D"},  // a lone 7D at the very end stays as it is
      {"417D5E", 2, "417E"},    // a pair straddling the count reads its partner
  };
  for (const auto& c : cases) {
    Bytes dest;
    const int n = unescape_reply(0, 0, dest, h(c.src), c.count);
    EXPECT_EQ(bin_to_hex(dest.substr(0, static_cast<std::size_t>(n))), c.out) << c.src;
  }
}

}  // namespace
}  // namespace lg81xx
