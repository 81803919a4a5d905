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
      {"7D5D", 2, "7D"},
      {"41427D", 3, "41427D"},  // a lone 7D at the very end stays as it is
      {"417D5E", 2, "417E"},    // a pair straddling the count reads its partner
      {"", 0, ""},
  };
  for (const auto& c : cases) {
    Bytes dest;
    const int n = unescape_reply(0, 0, dest, h(c.src), c.count);
    EXPECT_EQ(bin_to_hex(dest.substr(0, static_cast<std::size_t>(n))), c.out) << c.src;
  }
}

TEST(Escaping, RoundTripsEveryByteValue) {
  Bytes all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const Bytes wire = escaped(all);
  EXPECT_EQ(wire.size(), 256u + 3u);
  EXPECT_EQ(wire.find('\x7E'), Bytes::npos);
  EXPECT_EQ(unescaped(wire), all);
}

}  // namespace
}  // namespace lg81xx
