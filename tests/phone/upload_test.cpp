// The upload engine over a scripted port on virtual time: frame sizes and kinds, the
// escape-pair cut, the closing empty frame, the acknowledgement wait, the names it refuses.
#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "link/request_frame.h"
#include "support/phone_fixture.h"

namespace lg81xx::testing {
namespace {

const Bytes kAck("\xA0\x00\x03", 3);

// n = 10: "Java" (4) and "05.jad" (6) as 8-bit names; an ordinary block carries 4060 bytes
// and the first frame of a block has room for 920 unescaped data bytes.
constexpr std::size_t kFirstRoom = 920;
constexpr std::size_t kBlockData = 4060;

Bytes safe_bytes(std::size_t n) {
  Bytes b(n, '\0');
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<char>('a' + i % 26);
  return b;
}

class PhoneUpload : public PhoneFixture {
 protected:
  PhoneUpload() {
    connected("LG U8120");
    port.on_write = [this](const Bytes&) {
      if (acknowledge) port.arrive(kAck, 30);
    };
  }

  JobResult upload(const Bytes& content) { return phone.upload({"Java", "05.jad"}, content); }

  // Operation code, length, header id and the command (first frames only) of each frame.
  struct Shape {
    std::size_t size;
    unsigned opcode;
    unsigned command;  // 0 for a continuation frame
    bool operator==(const Shape&) const = default;
  };
  std::vector<Shape> shapes(std::initializer_list<std::size_t> first_frames) const {
    std::vector<Shape> out;
    for (std::size_t i = 0; i < port.written.size(); ++i) {
      const Bytes& f = port.written[i];
      EXPECT_EQ(get_be16(f, 1), f.size()) << "frame " << i;
      EXPECT_EQ(get_be16(f, 4), f.size() - 3) << "frame " << i;
      EXPECT_EQ(byte_at(f, 3), byte_at(f, 0) == 0x83 ? 0x70 : 0x49) << "frame " << i;
      EXPECT_EQ(byte_at(f, f.size() - 1), 0x7E);
      const bool first = std::find(first_frames.begin(), first_frames.end(), i) != first_frames.end();
      out.push_back({f.size(), byte_at(f, 0), first ? get_be16(f, 9) : 0u});
    }
    return out;
  }

  bool acknowledge = true;
};

TEST_F(PhoneUpload, EveryReservedDataByteAddsOneByteToTheFrame) {
  struct Case {
    Bytes content;
    std::size_t size;
  };
  const std::vector<Case> cases{
      {Bytes("\x7D", 1) + safe_bytes(298) + "\xFF", 345},
      {Bytes(300, '\x7E'), 643},
  };
  for (const auto& c : cases) {
    port.written.clear();
    upload(c.content);
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(port.written[0].size(), c.size);
    // The block length counts each data byte once.
    EXPECT_EQ(byte_at(port.written[0], 14) | (byte_at(port.written[0], 15) << 8), 10u + 24 + 300);
  }
}

TEST_F(PhoneUpload, BlocksAndFramesOfALargerFile) {
  // Blocks of 4060, 4060 and 1880 bytes; each block's first frame takes 920 bytes and
  // continuation frames 955.
  upload(safe_bytes(2 * kBlockData + 1880));
  const std::vector<Shape> expected{
      {963, 0x82, 0x2005}, {963, 0x82, 0}, {963, 0x82, 0}, {963, 0x82, 0}, {283, 0x82, 0},
      {963, 0x82, 0x2005}, {963, 0x82, 0}, {963, 0x82, 0}, {963, 0x82, 0}, {283, 0x82, 0},
      {963, 0x82, 0x2085}, {963, 0x82, 0}, {13, 0x83, 0},
  };
  EXPECT_EQ(shapes({0, 5, 10}), expected);
  EXPECT_EQ(phone.sequence(), 3);
  EXPECT_EQ(events.steps.size(), 13u);
  EXPECT_EQ(events.steps[6], (std::pair<std::uint64_t, std::uint64_t>{kBlockData, 2 * kBlockData + 1880}));
  // Block offsets and numbers of the three first frames.
  for (std::uint32_t block = 0; block < 3; ++block) {
    const Bytes& f = port.written[block * 5];
    EXPECT_EQ(get_le32(f, 16 + 6 + 8 + 4), block * kBlockData);
    EXPECT_EQ(get_le32(f, 16 + 6 + 8 + 8), block + 1);
    EXPECT_EQ(byte_at(f, 14) | (byte_at(f, 15) << 8), block < 2 ? 4094u : 10u + 24 + 1880);
  }
}

TEST_F(PhoneUpload, AnEscapePairIsNeverSplitBetweenFrames) {
  Bytes content = safe_bytes(3000);
  content[kFirstRoom - 1] = '\x7E';                 // the first frame's last byte: 7D, and its partner
  content[kFirstRoom + 954] = '\xFF';               // likewise for the first continuation frame
  upload(content);
  ASSERT_GE(port.written.size(), 3u);
  EXPECT_EQ(port.written[0].size(), 964u);
  EXPECT_EQ(bin_to_hex(port.written[0].substr(961)), "7D5E7E");
  EXPECT_EQ(port.written[1].size(), 964u);
  EXPECT_EQ(bin_to_hex(port.written[1].substr(961)), "7DDF7E");
  EXPECT_EQ(byte_at(port.written[2], 7), 'a' + (kFirstRoom + 955) % 26);
}

TEST_F(PhoneUpload, DataEndingExactlyAtAFrameIsClosedByAnEmptyFrame) {
  struct Case {
    const char* what;
    Bytes content;
    std::vector<Shape> frames;
  };
  Bytes escaped_fill = safe_bytes(kFirstRoom - 2);
  escaped_fill[10] = '\x7D';
  escaped_fill[20] = '\x7E';
  const std::vector<Case> cases{
      {"first frame full with escapes", escaped_fill, {{963, 0x82, 0x2085}, {8, 0x83, 0}}},
      {"continuation full", safe_bytes(kFirstRoom + 955), {{963, 0x82, 0x2085}, {963, 0x82, 0}, {8, 0x83, 0}}},
      {"ordinary block, then one byte",
       safe_bytes(kBlockData + 1),
       {{963, 0x82, 0x2005}, {963, 0x82, 0}, {963, 0x82, 0}, {963, 0x82, 0}, {283, 0x82, 0}, {44, 0x83, 0x2085}}},
  };
  for (const auto& c : cases) {
    port.written.clear();
    upload(c.content);
    const bool ends_block = c.frames.size() == 6;
    EXPECT_EQ(shapes(ends_block ? std::initializer_list<std::size_t>{0, 5} : std::initializer_list<std::size_t>{0}),
              c.frames)
        << c.what;
    if (!ends_block) {
      EXPECT_EQ(bin_to_hex(port.written.back()), "830008700005FF7E") << c.what;
    }
  }
}

TEST_F(PhoneUpload, AFrameNotAcknowledgedEndsTheUpload) {
  acknowledge = false;
  struct Case {
    Bytes reply;
    JobResult result;
    std::int64_t taken_ms;
  };
  for (const Case& c : {Case{hex_to_bin("C00003"), JobResult::refused, 200}, Case{"", JobResult::no_reply, 20 * 200}}) {
    port.written.clear();
    if (!c.reply.empty()) port.arrive(c.reply, 100);
    const auto start = clock.now_ms();
    EXPECT_EQ(upload(safe_bytes(5000)), c.result);
    EXPECT_EQ(port.written.size(), 1u);
    EXPECT_EQ(clock.now_ms() - start, c.taken_ms);
    EXPECT_FALSE(events.lamps.back());
  }
}

TEST_F(PhoneUpload, NothingIsSentForAnEmptyFileAnUnknownModelOrANameItCannotCarry) {
  struct Case {
    const char* model;
    ObjectName name;
    Bytes content;
    JobResult result;
  };
  const Case cases[] = {
      {"LG U8120", {"Java", "05.jad"}, "", JobResult::bad_input},  // never claimed as sent
      {"LG U8139", {"Java", "05.jad"}, "x", JobResult::bad_input},
      {"LG U8110", {"Java", std::string(254, 'n')}, "x", JobResult::ok},
      {"LG U8110", {std::string(255, 'n'), "05.jad"}, "x", JobResult::bad_input},
      {"LG U8130", {"Java", std::string(126, 'n')}, "x", JobResult::ok},
      {"LG U8130", {"Java", std::string(127, 'n')}, "x", JobResult::bad_input},  // 255 bytes in UTF-16LE
      {"LG U8120", {"Java", "日本.jad"}, "x", JobResult::bad_input},              // no Windows-1252 byte for it
  };
  for (const Case& c : cases) {
    port.written.clear();
    phone.set_model(c.model);
    phone.set_sequence(9);
    EXPECT_EQ(phone.upload(c.name, c.content), c.result) << c.model << " " << c.name.file.size();
    EXPECT_EQ(port.written.empty(), c.result != JobResult::ok) << c.model;
  }
}

TEST_F(PhoneUpload, AReservedSequenceByteIsEscapedAndCounted) {
  phone.set_sequence(0x7C);
  upload(safe_bytes(kBlockData + 10));
  ASSERT_GE(port.written.size(), 6u);
  const Bytes& first = port.written[0];
  EXPECT_EQ(bin_to_hex(first.substr(11, 2)), "7D5D");
  EXPECT_EQ(first.size(), 963u) << "the escaped sequence byte takes from the data room";
  EXPECT_EQ(bin_to_hex(port.written[5].substr(11, 2)), "7D5E");
  EXPECT_EQ(phone.sequence(), 0x7E);
}

}  // namespace
}  // namespace lg81xx::testing
