// The upload engine over a scripted port on virtual time: frame sizes and kinds at the edges
// of frames and blocks, the escape-pair cut, the closing empty frame, the names it refuses.
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
    port.on_write = [this](const Bytes&) { port.arrive(kAck, 30); };
  }

  JobResult upload(const Bytes& content) { return phone.upload({"Java", "05.jad"}, content); }

  // Size, operation code and the command (first frames only) of each frame.
  struct Shape {
    std::size_t size;
    unsigned opcode;
    unsigned command;  // 0 for a continuation frame
    bool operator==(const Shape&) const = default;
  };
  std::vector<Shape> shapes(const std::vector<std::size_t>& first_frames) const {
    std::vector<Shape> out;
    for (std::size_t i = 0; i < port.written.size(); ++i) {
      const Bytes& f = port.written[i];
      const bool first = std::find(first_frames.begin(), first_frames.end(), i) != first_frames.end();
      out.push_back({f.size(), byte_at(f, 0), first ? get_be16(f, 9) : 0u});
    }
    return out;
  }
};

// Frame sizes, kinds and commands for contents that end at the edges of frames and blocks.
TEST_F(PhoneUpload, FramesBlocksAndTheClosingFrame) {
  struct Case {
    const char* what;
    unsigned sequence;
    std::size_t shift;  // what an escaped sequence byte adds before the block fields
    Bytes content;
    std::vector<std::size_t> first_frames;
    std::vector<Shape> frames;
  };
  Bytes escaped_fill = safe_bytes(kFirstRoom - 2);
  escaped_fill[10] = '\x7D';
  escaped_fill[20] = '\x7E';
  // A block's first frame (2085: the last block), a full continuation, the closing frame.
  const Shape last{963, 0x82, 0x2085}, more{963, 0x82, 0}, closing{8, 0x83, 0};
  const Shape start{963, 0x82, 0x2005}, tail{44, 0x83, 0x2085};  // a block followed by another, that other
  const Case cases[] = {
      {"first frame full with escapes", 9, 0, escaped_fill, {0}, {last, closing}},
      {"continuation full", 9, 0, safe_bytes(kFirstRoom + 955), {0}, {last, more, closing}},
      {"a reserved sequence byte takes from the data room", 0x7C, 1, safe_bytes(kFirstRoom), {0}, {last, {9, 0x83, 0}}},
      {"a block and a byte", 9, 0, safe_bytes(kBlockData + 1), {0, 5}, {start, more, more, more, {283, 0x82, 0}, tail}},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    port.written.clear();
    phone.set_sequence(static_cast<std::uint16_t>(c.sequence));
    upload(c.content);
    EXPECT_EQ(shapes(c.first_frames), c.frames);
    if (c.frames.back().size == 8) {
      EXPECT_EQ(bin_to_hex(port.written.back()), "830008700005FF7E");
    }
    // The block length counts each data byte once; each block says where it starts and its number.
    const Bytes fields = port.written[c.first_frames.back()].substr(14 + c.shift);
    const std::uint32_t block = static_cast<std::uint32_t>(c.first_frames.size() - 1);
    EXPECT_EQ(byte_at(fields, 0) | (byte_at(fields, 1) << 8), 10u + 24 + c.content.size() - block * kBlockData);
    EXPECT_EQ(get_le32(fields, 2 + 6 + 8 + 4), block * kBlockData);
    EXPECT_EQ(get_le32(fields, 2 + 6 + 8 + 8), block + 1);
  }
}

TEST_F(PhoneUpload, AnEscapePairIsNeverSplitBetweenFrames) {
  Bytes content = safe_bytes(3000);
  content[kFirstRoom - 1] = '\x7E';    // the first frame's last byte: 7D, and its partner
  content[kFirstRoom + 954] = '\xFF';  // likewise for the first continuation frame
  upload(content);
  ASSERT_GE(port.written.size(), 3u);
  EXPECT_EQ(port.written[0].size(), 964u);
  EXPECT_EQ(bin_to_hex(port.written[0].substr(961)), "7D5E7E");
  EXPECT_EQ(port.written[1].size(), 964u);
  EXPECT_EQ(bin_to_hex(port.written[1].substr(961)), "7DDF7E");
  EXPECT_EQ(byte_at(port.written[2], 7), 'a' + (kFirstRoom + 955) % 26);
}

std::string repeated(std::string_view piece, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

// One rule for names (the check before the port opens asks name_fit too): a length byte
// counts at most 254 characters, bytes on the U8110/U8120 and UTF-16 units on the
// U8130/U8138, and a name escaped leaves a first frame room beside the longest folder.
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
      {"LG U8110", {"Java", repeated("ÿ", 254)}, "x", JobResult::ok},  // 508 bytes escaped
      {"LG U8120", {"Java", "日本.jad"}, "x", JobResult::bad_input},   // no Windows-1252 byte for it
      {"LG U8130", {"VoiceRecord", std::string(254, 'n')}, "x", JobResult::ok},
      {"LG U8130", {"Images", std::string(255, 'n')}, "x", JobResult::bad_input},
      {"LG U8130", {"Images", std::string(253, 'n') + "😀"}, "x", JobResult::bad_input},  // 255 units
      {"LG U8130", {"VoiceRecord", repeated("繾", 221) + "ÿa"}, "x", JobResult::ok},     // 891 bytes escaped
      {"LG U8130", {"Images", repeated("繾", 221) + "ÿab"}, "x", JobResult::bad_input},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.model) + " " + std::to_string(c.name.folder.size()) + "/" +
                 std::to_string(c.name.file.size()));
    port.written.clear();
    phone.set_model(c.model);
    phone.set_sequence(9);
    EXPECT_EQ(phone.upload(c.name, c.content), c.result);
    EXPECT_EQ(port.written.empty(), c.result != JobResult::ok);
    for (const Bytes& frame : port.written) EXPECT_LE(frame.size(), 963u);
    if (!c.content.empty() && is_known_model(c.model)) {
      const bool fit = name_fit(family_of(c.model), c.name.folder) == NameFit::fits &&
                       name_fit(family_of(c.model), c.name.file) == NameFit::fits;
      EXPECT_EQ(fit, c.result == JobResult::ok);
    }
  }
}

}  // namespace
}  // namespace lg81xx::testing
