// The double-click on List1: requests, waits, the rows and the flag after each path.
#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "link/request_frame.h"
#include "shell/messages.h"
#include "support/form_fixture.h"
#include "support/phone_on_fake_port.h"

namespace lg81xx::testing {
namespace {

// An answer whose entries from offset 25 read `entries`.
Bytes listing_reply(const std::string& entries) { return hex_to_bin("A0") + Bytes(23, '\0') + "/" + entries; }

class FolderListing : public FormFixture {
 protected:
  void SetUp() override { port.open("/dev/ttyS0"); }
  void pick(const std::string& model, const std::string& folder) {
    form.Combo1.text = model;
    form.List1.items = {folder};
    form.List1.list_index = 0;
    form.frame_seq = 1;
    form.link_busy = false;
  }
};

TEST_F(FolderListing, RequestsMatchTheTemplatesOfBothFamilies) {
  struct Case {
    const char* model;
    const char* folder;
    std::string hex;
  };
  const std::string u16images = "49006D00610067006500730000007E";
  const Case cases[] = {
      {"LG U8130", "Images", "830024700021FF7DDF208302" "00001B0000003F000E" + u16images},
      {"LG U8130", "Animations",
       "83002C700029FF7DDF208302" "0000230000003F0016" "41006E0069006D006100740069006F006E007300" "00007E"},
      {"LG U8110", "Java", "83001C700019FF7DDF208302" "0000130000003F000A" "4A617661" "00007E"},
      {"LG U8110", "Immagini", "83002070001DFF7DDF208302" "0000170000003F000E" "496D6D6167696E69" "00007E"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.model) + " " + c.folder);
    pick(c.model, c.folder);
    port.written.clear();
    port.on_write = [&](const Bytes&) { port.arrive(listing_reply("a")); };
    form.List1_DblClick();
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(bin_to_hex(port.written[0]), c.hex);
  }
}

TEST_F(FolderListing, SequenceByteFollowsTheCounterAndIsEscapedWhenReserved) {
  sim::VirtualPhone phone({"LG U8130", "1", home.path(), 0});
  answer_with(port, phone);
  struct Case {
    std::uint16_t before;
    std::string seq_hex;
  };
  for (const Case& c : {Case{9, "0A"}, Case{0x7C, "7D5D"}, Case{0xFE, "7DDF"}, Case{0xFF, "00"}}) {
    SCOPED_TRACE(c.seq_hex);
    pick("LG U8130", "Images");
    form.frame_seq = c.before;
    port.written.clear();
    form.List1_DblClick();
    ASSERT_EQ(port.written.size(), 1u);
    const std::string hex = bin_to_hex(port.written[0]);
    EXPECT_EQ(hex.substr(22, c.seq_hex.size()), c.seq_hex);
    EXPECT_EQ(form.frame_seq, c.before + 1);
    // The phone checks the framing: it answers only a well-formed request.
    EXPECT_EQ(form.last_result, JobResult::ok);
  }
}

TEST_F(FolderListing, ReplyOnTheFourthPollIsTakenAfterOnePointTwoSeconds) {
  pick("LG U8130", "Images");
  form.List2.items = {"old"};
  port.on_write = [&](const Bytes&) { port.arrive(listing_reply("a.jpg:b.mid"), 1000); };
  form.List1_DblClick();
  EXPECT_EQ(clock.now_ms(), 1200);
  EXPECT_EQ(form.List2.items, (std::vector<std::string>{"a.jpg", "b.mid"}));
  EXPECT_FALSE(form.link_busy);
  EXPECT_FALSE(form.ledr.visible);
}

TEST_F(FolderListing, ShortReadsDoNotCountAndReadsAreNotJoined) {
  pick("LG U8130", "Images");
  port.on_write = [&](const Bytes&) {
    port.arrive("A00", 100);                   // poll 1: 3 bytes
    port.arrive("0000", 400);                  // poll 2: 4 more, not added to the first
    port.arrive(listing_reply("x.gif"), 700);  // poll 3
  };
  form.List1_DblClick();
  EXPECT_EQ(clock.now_ms(), 900);
  EXPECT_EQ(form.List2.items, std::vector<std::string>{"x.gif"});
}

TEST_F(FolderListing, NoReplyShowsTheMessageAfterThreeSeconds) {
  struct Case {
    const char* model;
    const char* folder;
    bool busy_after;  // the U813 family keeps the keep-alive suspended
  };
  for (const Case& c : {Case{"LG U8130", "Images", true}, Case{"LG U8110", "Audio", false}}) {
    SCOPED_TRACE(c.model);
    pick(c.model, c.folder);
    form.List2.items = {"kept"};
    ui.messages.clear();
    port.written.clear();
    port.on_write = nullptr;
    std::int64_t shown_at = -1;
    ui.on_message = [&] {
      shown_at = clock.now_ms();
      form.Timer1_Timer();  // a tick while the message box is open
    };
    const auto start = clock.now_ms();
    form.List1_DblClick();
    EXPECT_EQ(shown_at - start, 3000);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], (Message{text::kNoReplyDots, MessageStyle::critical, text::kErrorTitle}));
    EXPECT_EQ(form.List2.items, std::vector<std::string>{"kept"});
    EXPECT_EQ(form.link_busy, c.busy_after);
    EXPECT_EQ(form.last_result, JobResult::no_reply);
    EXPECT_EQ(port.written.size(), 1u) << "no keep-alive between the request and the message";
    ui.on_message = nullptr;
  }
}

TEST_F(FolderListing, RefusedOrIgnoredWithoutWriting) {
  // Closed port: a message and nothing written.
  pick("LG U8130", "Images");
  port.close();
  form.link_busy = true;
  form.List1_DblClick();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, text::kNotConnected);
  EXPECT_EQ(form.last_result, JobResult::not_connected);
  EXPECT_EQ(port.writes_while_closed, 0);

  // Open port, but no request is defined: nothing happens.
  port.open("/dev/ttyS0");
  ui.messages.clear();
  struct Case {
    const char* model;
    const char* folder;
  };
  for (const Case& c : {Case{"LG U8130", "images"}, Case{"LG U8110", "Images"}, Case{"", "Java"}}) {
    SCOPED_TRACE(std::string(c.model) + "/" + c.folder);
    pick(c.model, c.folder);
    form.List2.items = {"kept"};
    form.List1_DblClick();
    EXPECT_TRUE(port.written.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(form.List2.items, std::vector<std::string>{"kept"});
    EXPECT_FALSE(form.link_busy);
  }
}

}  // namespace
}  // namespace lg81xx::testing
