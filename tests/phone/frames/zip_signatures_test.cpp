#include "phone/frames/zip_signatures.h"

#include <gtest/gtest.h>

#include "base/hex_codec.h"

namespace lg81xx {
namespace {

TEST(ZipSignatures, RestoredOnlyWhereARecordSignatureStandsInAnAlteredArchive) {
  struct Case {
    std::string in, out;
  };
  for (const Case& c : {
           // Not an altered archive: "OK" stays everywhere, even before 03 04.
           Case{"504B0304"
                "4F4B0102",
                "504B0304"
                "4F4B0102"},
           // An altered archive: each record kind comes back, plain "OK" bytes do not.
           Case{"4F4B0304"
                "4F4B"
                "4F4B0102"
                "4F4B0506"
                "4F4B0606"
                "4F4B0607"
                "4F4B0708"
                "4F4B0303"
                "4F4B",
                "504B0304"
                "4F4B"
                "504B0102"
                "504B0506"
                "504B0606"
                "504B0607"
                "504B0708"
                "4F4B0303"
                "4F4B"},
           Case{"4F4B03", "4F4B03"},
       }) {
    Bytes data = hex_to_bin(c.in);
    restore_zip_signatures(data);
    EXPECT_EQ(bin_to_hex(data), c.out) << c.in;
  }
}

}  // namespace
}  // namespace lg81xx
