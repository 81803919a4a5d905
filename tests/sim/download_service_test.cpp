// The virtual phone's sending side, driven frame by frame.
#include <gtest/gtest.h>

#include "link/escaping.h"
#include "link/hex_codec.h"
#include "link/request_frame.h"
#include "link/session_frames.h"
#include "support/temp_dir.h"
#include "transfer/download_requests.h"
#include "virtual_phone.h"

namespace lg81xx::testing {
namespace {

const Bytes kEmptyBody = hex_to_bin("830008700005FF7E");

Bytes u813_names(const std::string& folder, const std::string& file) {
  return download_names(utf16le(folder) + '\0', static_cast<int>(folder.size()), utf16le(file) + '\0',
                        static_cast<int>(file.size()));
}

TEST(DownloadService, TheReadProbesGetIsAcceptedWithA000OnBothFamilies) {
  for (const std::string model : {"LG U8130", "LG U8110"}) {
    TempDir storage;
    write_file(storage / "MessageTone" / "Message1.mid", Bytes(5000, 'm'));
    sim::VirtualPhone phone({model, "1", storage.path()});
    const Bytes reply = phone.receive(get_request(u813_names("Audios", "../MessageTone/Message1.mid"), 6));
    ASSERT_GE(reply.size(), 3u) << model;
    EXPECT_EQ(bin_to_hex(reply.substr(0, 2)), "A000") << model;
    EXPECT_EQ(get_be16(reply, 1), reply.size());
  }
}

TEST(DownloadService, RepliesCarryTheirLengthAndOnlyTheLastBlockIsShort) {
  TempDir storage;
  Bytes content;
  for (int i = 0; i < 20000; ++i) content.push_back(as_char(static_cast<unsigned>(i % 256)));
  write_file(storage / "Images" / "a.jpg", content);
  sim::VirtualPhone phone({"LG U8130", "1", storage.path()});
  const Bytes names = u813_names("Images", "a.jpg");

  Bytes reply = phone.receive(get_request(names, 2));
  ASSERT_LT(reply.size(), 256u);
  EXPECT_EQ(get_be16(reply, 1), reply.size());
  Bytes got = unescaped(reply.substr(45 + 11, reply.size() - 45 - 12));
  std::uint32_t block = 1;
  unsigned seq = 3;
  for (int acks = 0; got.size() < content.size();) {
    if (acks == 4) {
      const Bytes request = continuation_request(names, seq++, 20000, static_cast<std::uint32_t>(got.size()), block++);
      reply = phone.receive(request);
      ASSERT_GT(reply.size(), 5u);
      got += unescaped(reply.substr(request.size(), reply.size() - request.size() - 1));
      acks = 0;
    } else {
      reply = phone.receive(kEmptyBody);
      ASSERT_GT(reply.size(), 5u);
      got += unescaped(reply.substr(7, reply.size() - 8));
      ++acks;
    }
    EXPECT_EQ(get_be16(reply, 1), reply.size());
    EXPECT_LE(reply.size(), 1024u);
    if (got.size() < content.size()) {
      EXPECT_GE(reply.size(), 960u);
    }
  }
  EXPECT_TRUE(got == content);
}

TEST(DownloadService, RefusesWhatDoesNotFollowTheTransfer) {
  TempDir storage;
  write_file(storage / "Images" / "a.jpg", Bytes(50000, 'a'));
  sim::VirtualPhone phone({"LG U8130", "1", storage.path()});
  const Bytes names = u813_names("Images", "a.jpg");
  const Bytes refused = hex_to_bin("C30005FF7E");

  EXPECT_EQ(phone.receive(kEmptyBody), refused) << "no download open";
  EXPECT_EQ(bin_to_hex(phone.receive(get_request(u813_names("Images", "b.jpg"), 2))),
            "49000F70000CFF7DDF2086000100" "7E");

  struct Case {
    std::string name;
    int acks;
    std::uint32_t size, received, block;
  };
  for (const Case& c : {Case{"too early", 3, 50000, 0, 1}, Case{"wrong size", 4, 40000, 0, 1},
                        Case{"wrong received", 4, 50000, 7, 1}, Case{"wrong block", 4, 50000, 0, 2}}) {
    SCOPED_TRACE(c.name);
    const Bytes first = phone.receive(get_request(names, 2));
    std::uint32_t received = static_cast<std::uint32_t>(unescaped(first.substr(56, first.size() - 57)).size());
    for (int i = 0; i < c.acks; ++i) {
      const Bytes r = phone.receive(kEmptyBody);
      received += static_cast<std::uint32_t>(r.size() - 8);
    }
    const std::uint32_t claimed = c.received == 0 ? received : c.received;
    EXPECT_EQ(phone.receive(continuation_request(names, 3, c.size, claimed, c.block)), refused);
  }
  // Four acknowledgements, then a fifth instead of the continuation.
  phone.receive(get_request(names, 2));
  for (int i = 0; i < 4; ++i) EXPECT_NE(phone.receive(kEmptyBody), refused);
  EXPECT_EQ(phone.receive(kEmptyBody), refused);
}

}  // namespace
}  // namespace lg81xx::testing
