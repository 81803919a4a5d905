// Listings: the folders without a request, and the line after silence.
#include <gtest/gtest.h>

#include "support/phone_fixture.h"

namespace lg81xx::testing {
namespace {

class PhoneListing : public PhoneFixture {
 protected:
  PhoneListing() { connected("LG U8130"); }
};

TEST_F(PhoneListing, SilenceHoldsTheLineExceptWhenBrowsingTheEightBitFamily) {
  struct Case {
    const char* model;
    bool java;
    bool free_after;
  };
  for (const Case& c : {Case{"LG U8130", false, false}, Case{"LG U8110", false, true}, Case{"LG U8110", true, false}}) {
    connected(c.model);
    const auto start = clock.now_ms();
    const auto listed = c.java ? phone.list_java() : phone.list_folder("Java");
    EXPECT_EQ(listed.result, JobResult::no_reply) << c.model;
    EXPECT_EQ(clock.now_ms() - start, 3000) << c.model;
    EXPECT_EQ(phone.line_free(), c.free_after) << c.model << (c.java ? " Java list" : " browsing");
  }
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
