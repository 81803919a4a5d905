// Listings: the waits, the rows, and the line after each ending.
#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "link/request_frame.h"
#include "support/phone_fixture.h"
#include "support/phone_on_fake_port.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

using Rows = std::vector<std::string>;

// An answer whose entries from offset 25 read `entries`, in UTF-16LE.
Bytes listing_reply(const std::string& entries) {
  Bytes reply = hex_to_bin("A0") + Bytes(23, '\0') + "/" + utf16le(entries);
  set_be16(reply, 1, static_cast<unsigned>(reply.size()));
  return reply;
}

class PhoneListing : public PhoneFixture {
 protected:
  PhoneListing() { connected("LG U8130"); }
};

TEST_F(PhoneListing, AReservedSequenceByteStillGetsAnAnswer) {
  TempDir storage;
  sim::VirtualPhone answering({"LG U8130", "1", storage.path(), 0});
  answer_with(port, answering);
  for (int before : {9, 0x7C, 0xFE, 0xFF}) {
    phone.set_sequence(static_cast<std::uint16_t>(before));
    EXPECT_TRUE(phone.list_folder("Images").ok()) << before;  // the phone answers well-formed requests only
    EXPECT_EQ(phone.sequence(), before + 1);
  }
}

TEST_F(PhoneListing, TheWholeAnswerIsCutIntoRows) {
  struct Case {
    const char* what;
    std::vector<std::pair<Bytes, std::int64_t>> replies;  // data, arrival after the write
    std::int64_t taken_ms;
    Rows rows;
  };
  const Case cases[] = {
      {"on the fourth poll", {{listing_reply("a.jpg:b.mid"), 1000}}, 1200, {"a.jpg", "b.mid"}},
      {"in pieces across the polls", {{listing_reply("x.gif").substr(0, 3), 100}, {listing_reply("x.gif").substr(3), 700}},
       900, {"x.gif"}},
  };
  for (const Case& c : cases) {
    port.on_write = [&](const Bytes&) {
      for (const auto& [data, after] : c.replies) port.arrive(data, after);
    };
    const auto start = clock.now_ms();
    const auto listed = phone.list_folder("Images");
    EXPECT_EQ(clock.now_ms() - start, c.taken_ms) << c.what;
    EXPECT_EQ(listed.value, c.rows) << c.what;
    EXPECT_TRUE(phone.line_free()) << c.what;
  }
}

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
