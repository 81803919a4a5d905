// The read probe: the 89-byte request whatever the model and counter, and its wait.
#include "phone/read_probe.h"

#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "support/phone_fixture.h"

namespace lg81xx::testing {
namespace {

const std::string kProbe = "830059700056FF7DDF2086060000500007" + bin_to_hex(utf16le("Audios")) + "00001C" +
                           bin_to_hex(utf16le("../MessageTone/Message1.mid")) + "00007E";

class PhoneProbe : public PhoneFixture {};

TEST_F(PhoneProbe, EndsAtTheFirstAcknowledgementOrAfterTwentyReads) {
  struct Case {
    const char* what;
    const char* model;
    std::uint16_t sequence;
    std::vector<std::pair<Bytes, std::int64_t>> replies;  // data, arrival after the write
    std::int64_t elapsed_ms;
    JobResult result;
  };
  const Case cases[] = {
      {"at once", "LG U8110", 0, {{hex_to_bin("A00003"), 0}}, 200, JobResult::ok},
      {"late", "other", 0x7D, {{hex_to_bin("A00003"), 3900}}, 4000, JobResult::ok},
      {"refused", "LG U8130", 1, {{hex_to_bin("C40003"), 0}}, 200, JobResult::refused},
      {"a continue first", "LG U8130", 1, {{hex_to_bin("900003"), 0}, {hex_to_bin("A00003"), 300}}, 400, JobResult::ok},
      {"silent", "LG U8130", 1, {}, 4000, JobResult::no_reply},
  };
  for (const Case& c : cases) {
    connected(c.model);
    phone.set_sequence(c.sequence);
    port.written.clear();
    port.on_write = [&](const Bytes&) {
      for (const auto& [data, after] : c.replies) port.arrive(data, after);
    };
    const auto start = clock.now_ms();
    EXPECT_EQ(send_read_probe(phone), c.result) << c.what;
    EXPECT_EQ(clock.now_ms() - start, c.elapsed_ms) << c.what;
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(bin_to_hex(port.written[0]), kProbe) << c.what;
    EXPECT_EQ(phone.sequence(), 6);
    // Without an answer the line stays held until another job frees it.
    EXPECT_EQ(phone.line_free(), c.result == JobResult::ok) << c.what;
    port.read_available();
  }
}

}  // namespace
}  // namespace lg81xx::testing
