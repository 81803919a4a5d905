// Listings: the folders without a request, and the line after silence.
#include <gtest/gtest.h>

#include "support/phone_fixture.h"

namespace lg81xx::testing {
namespace {

class PhoneListing : public PhoneFixture {
 protected:
  PhoneListing() { connected("LG U8130"); }
};

// The connect's Java list unanswered holds the line on the 8-bit family too; browsing there
// frees it (the golden transcripts show browsing on both families).
TEST_F(PhoneListing, AnUnansweredJavaListHoldsTheLineOnTheEightBitFamily) {
  connected("LG U8110");
  const auto start = clock.now_ms();
  EXPECT_EQ(phone.list_java().result, JobResult::no_reply);
  EXPECT_EQ(clock.now_ms() - start, 3000);
  EXPECT_FALSE(phone.line_free());
}

TEST_F(PhoneListing, FoldersWithoutARequestSendNothing) {
  for (const auto& [model, folder] : {std::pair{"LG U8130", "images"}, {"LG U8110", "Images"}, {"", "Java"}}) {
    connected(model);
    EXPECT_EQ(phone.list_folder(folder).result, JobResult::bad_input) << model << " " << folder;
    EXPECT_TRUE(phone.line_free());
  }
  EXPECT_EQ(phone.list_java().result, JobResult::bad_input) << "a model of neither family";
  EXPECT_TRUE(port.written.empty());
  EXPECT_EQ(phone.sequence(), 0);
}

}  // namespace
}  // namespace lg81xx::testing
