#include "phone/frames/zip_signatures.h"

#include <gtest/gtest.h>

#include "base/hex_codec.h"

namespace lg81xx {
namespace {

TEST(ZipSignatures, RestoredOnlyWhereARecordSignatureStandsInAnAlteredArchive) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      // Not an altered archive: "OK" stays everywhere, even before 03 04.
      {"504B03044F4B0102", "504B03044F4B0102"},
      // An altered archive: each record kind comes back, plain "OK" bytes do not.
      {"4F4B03044F4B4F4B01024F4B05064F4B06064F4B06074F4B07084F4B03034F4B",
       "504B03044F4B504B0102504B0506504B0606504B0607504B07084F4B03034F4B"},
      {"4F4B03", "4F4B03"},
  };
  for (const Case& c : cases) {
    Bytes data = hex_to_bin(c.in);
    restore_zip_signatures(data);
    EXPECT_EQ(bin_to_hex(data), c.out) << c.in;
  }
}

}  // namespace
}  // namespace lg81xx
