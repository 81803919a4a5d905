#include "link/escaping.h"

#include <gtest/gtest.h>

#include "base/hex_codec.h"

namespace lg81xx {
namespace {

Bytes h(std::string_view hex) { return hex_to_bin(hex); }

TEST(EscapeBytes, EscapesReservedBytesOnly) {
  struct Case {
    std::string src;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"017E02", "017D5E02"}, {"7DFF", "7D5D7DDF"}, {"", ""}, {"7C0A", "7C0A"}, {"7E7E", "7D5E7D5E"},
  };
  for (const auto& c : cases) {
    Bytes dest;
    const Bytes src = h(c.src);
    const int n = escape_bytes(0, 0, dest, src, static_cast<int>(src.size()));
    EXPECT_EQ(n, static_cast<int>(c.out.size() / 2)) << c.src;
    EXPECT_EQ(bin_to_hex(dest.substr(0, static_cast<std::size_t>(n))), c.out) << c.src;
  }
  Bytes dest;  // a count past the source's end takes only what is there
  EXPECT_EQ(escape_bytes(0, 0, dest, h("7E"), 3), 2);
}

TEST(EscapeChunk, StopsAtTheLimitWithoutSplittingPairs) {
  struct Case {
    std::string src;
    int limit;
    int count;  // source count
    int written;
    int consumed;
    std::string dest;  // including the partner written past the count
  };
  const std::vector<Case> cases = {
      {"01027E03", 3, 4, 3, 3, "01027D5E"},  // partner at index 3, just past the count
      {"017E03", 3, 3, 3, 2, "017D5E"},
      {"0102", 9000, 2, 2, 2, "0102"},
      {"7DFF00", 9000, 3, 5, 3, "7D5D7DDF00"},
  };
  for (const auto& c : cases) {
    Bytes dest;
    int consumed = -1;
    const int n = escape_chunk(0, dest, h(c.src), c.count, c.limit, consumed);
    EXPECT_EQ(n, c.written) << c.src;
    EXPECT_EQ(consumed, c.consumed) << c.src;
    EXPECT_EQ(bin_to_hex(dest), c.dest) << c.src;
  }
}

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
