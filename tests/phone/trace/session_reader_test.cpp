// Recorded sessions read for a person: the golden sessions of every job on both
// families shown whole, uploads of every shape against the frames the engine builds,
// and the odd frames a real phone may send.
#include "phone/trace/session_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/hex_codec.h"
#include "link/escaping.h"
#include "phone/frames/upload_frames.h"
#include "phone/wire_names.h"
#include "support/temp_dir.h"

namespace lg81xx {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::write_file;

// The frame lines of a golden transcript: a trace of every job of the session.
Trace golden_trace(const std::string& transcript) {
  return read_trace(read_file(fs::path(LG81XX_GOLDEN_DIR) / transcript));
}

class ShownSession : public ::testing::TestWithParam<const char*> {};

TEST_P(ShownSession, ReadsEveryFrameOfTheGoldenSession) {
  const std::string name = GetParam();
  const Trace trace = golden_trace(name + ".txt");
  ASSERT_FALSE(trace.records.empty());
  const TraceFamily family = family_of_trace(trace);
  std::string shown = "family from " + family.source + "\n";
  for (const auto& frame : show_trace(trace, family.family)) shown += shown_line(frame) + "\n";
  const fs::path file = fs::path(LG81XX_GOLDEN_DIR) / ("shown-" + name + ".txt");
  if (std::getenv("LG81XX_UPDATE_GOLDEN")) write_file(file, shown);
  ASSERT_TRUE(fs::exists(file)) << file << " is missing: run with LG81XX_UPDATE_GOLDEN=1";
  EXPECT_EQ(shown, read_file(file)) << "a changed reading: run with LG81XX_UPDATE_GOLDEN=1 and read the difference";
}

INSTANTIATE_TEST_SUITE_P(GoldenSessions, ShownSession,
                         ::testing::Values("session-u8110", "session-u8130", "failures-u8120", "failures-u8138"));

TEST(SessionReader, FollowsAnUploadThroughItsBlocksAndFrames) {
  struct Case {
    const char* what;
    Family family;
    Bytes content;
  };
  Bytes every_value;
  for (int i = 0; i < 5000; ++i) put_byte(every_value, static_cast<unsigned>(i * 7));
  const Case cases[] = {
      {"one frame", Family::u811_u812, Bytes(300, 'a')},
      {"data that fills the first frame: an empty frame closes the block", Family::u811_u812, Bytes(920, 'a')},
      {"two blocks, escapes in data and fields", Family::u813, every_value},
      {"every byte reserved", Family::u811_u812, Bytes(2500, '\x7E')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes folder = *name_field(c.family, "Java");
    const Bytes file = *name_field(c.family, "05.jar");
    UploadFrames frames(
        {folder.substr(1), file.substr(1), static_cast<std::uint8_t>(folder[0]), static_cast<std::uint8_t>(file[0])},
        c.content);
    SessionReader reader(c.family);
    unsigned seq = 6;
    int block = 0;
    Bytes carried;
    while (!frames.finished()) {
      const WireFrame frame = frames.next([&] { return ++seq; });
      block += frame.block_start ? 1 : 0;
      const FrameReading reading = reader.read({0, Direction::sent, frame.bytes, {}, 0});
      SCOPED_TRACE(reading.what);
      EXPECT_TRUE(reading.what.starts_with("upload Java/05.jar block " + std::to_string(block) +
                                           (frame.block_start ? " seq " + hex2(seq) + ", " : ", ")));
      EXPECT_EQ(reading.what.ends_with(", last frame"), frame.final);
      for (const ByteSpan& span : reading.file_data) carried += unescaped(frame.bytes.substr(span.start, span.length));
      EXPECT_EQ(reader.read({0, Direction::received, Bytes("\xA0\x00\x03", 3), {}, 0}).what, "A0 ok");
    }
    EXPECT_EQ(carried, c.content);  // every byte of the file, and nothing else, is file data
  }
  // The disconnect of an upload stopped in the middle of a block is read as the disconnect.
  const Bytes folder = *name_field(Family::u811_u812, "Java"), file = *name_field(Family::u811_u812, "05.jar");
  const Bytes content(3000, 'a');  // the frames refer to it
  UploadFrames stopped(
      {folder.substr(1), file.substr(1), static_cast<std::uint8_t>(folder[0]), static_cast<std::uint8_t>(file[0])},
      content);
  SessionReader reader(Family::u811_u812);
  reader.read({0, Direction::sent, stopped.next([] { return 1u; }).bytes, {}, 0});
  EXPECT_EQ(reader.read({0, Direction::sent, hex_to_bin("83001170000EFF7DDF00822B000008007E"), {}, 0}).what,
            "disconnect seq 2B");
}

TEST(SessionReader, ReadsOddFramesAndReplies) {
  const Family u811 = Family::u811_u812, u813 = Family::u813;
  struct Step {
    Direction direction;
    std::string hex;
    std::vector<ByteSpan> hidden = {};
  };
  struct Case {
    const char* what;
    Family family;
    std::vector<Step> steps;
    std::string last;  // what the last step reads
    std::vector<ByteSpan> file_data = {};
  };
  const Direction out = Direction::sent, in = Direction::received, drop = Direction::dropped;
  const std::string get_lago = "83002570 0022FF7DDF2086 04 00001C00 09 496D6D6167696E6900 09 6C61676F2E6A706700 7E";
  // The reply to it up to its data: the request repeated, the size (11), 8 bytes, the data.
  const std::string lago_head =
      "A0 00%02X 70 00%02X FF7DDF2086 04 00001C00 09 496D6D6167696E6900 09 6C61676F2E6A706700 "
      "0B000000 00000000 01000000";
  const auto lago_reply = [&](const std::string& data) {
    const std::size_t length = 48 + data.size() / 2 + 1;
    char head[200];
    std::snprintf(head, sizeof head, lago_head.c_str(), static_cast<unsigned>(length),
                  static_cast<unsigned>(length - 3));
    return std::string(head) + data + "7E";
  };
  const Case cases[] = {
      {"bytes of no frame", u811, {{out, "0102"}}, "unknown: 01 02"},
      {"a reply with bytes after it",
       u811,
       {{out, "83001170000EFF7DDF00A101000008007E"}, {in, "A000034142"}},
       "A0 ok, then 41 42"},
      {"a reply cut short", u811, {{in, "A0001070"}}, "A0 ok, cut short: 4 of 16 bytes"},
      {"a length field that does not match",
       u811,
       {{out, "83001270000EFF7DDF00A101000008007E"}},
       "keep-alive seq 01 (its length says 18)"},
      {"a refusal", u811, {{out, get_lago}, {in, "C30003"}}, "C3 refused"},
      {"OBEX 1.1, smaller packets",
       u811,
       {{out, "80001011000400 4A0009 4C696E757800"}, {in, "A0000711000200"}},
       "A0 ok: OBEX 1.1, packets up to 512 bytes"},
      {"a reply after the wait", u811, {{drop, "A00003"}}, "dropped: A0 ok"},
      {"an escaped sequence byte", u811, {{out, "83001270000FFF7DDF00A17D5E000008007E"}}, "keep-alive seq 7E"},
      {"an unknown command",
       u813,
       {{out, "83001470 0011FF7DDF2099 05 00000A00 AB7D5D 7E"}},
       "command 20 99 seq 05, payload AB 7D"},
      {"names with a control character and a quote",
       u811,
       {{out, "83001C7000 19FF7DDF2083 02 00001300 00003F000A 4A617661 00007E"},
        {in, "A0001F70001CFF" + std::string(34, '0') + "2F611B623A2263"}},
       "A0 ok: Java holds a\\x1Bb, \"\\\"c\""},
      {"an IMEI hidden for a report",
       u811,
       {{out, "41542B4347534E0D0A00"}, {in, "2A2A2A2A2A2A2A2A2A2A2A353433320D0A4F4B0D0A"}},
       "IMEI ***********5432, OK"},
      {"an upload frame cut in its names: everything after its head may be the file's",
       u811,
       {{out, "83001470 0011FF7DDF2085 07 00000A00 05 4A61 7E"}},
       "upload seq 07, unreadable: 83 00 14 70 00 11 FF 7D DF 20 85 07 00 00 0A 00 05 4A 61 7E",
       {{16, 3}}},
      {"a block",
       u811,
       {{out, get_lago}, {in, lago_reply("00FF7D5E")}},
       "A0 ok: 3 bytes of Immagini/lago.jpg, 3 of 11",
       {{48, 4}}},
      {"a block whose data a report hid",
       u811,
       {{out, get_lago}, {in, lago_reply("00000000"), {{48, 4}}}},
       "A0 ok: block of Immagini/lago.jpg, its data hidden",
       {{48, 4}}},
      {"bytes of no frame while a file comes in",
       u811,
       {{out, get_lago}, {in, lago_reply("414243")}, {out, "830008700005FF7E"}, {in, "0102030405"}},
       "unknown: 01 02 03 04 05",
       {{3, 2}}},
      {"the same, hidden",
       u811,
       {{out, get_lago}, {in, lago_reply("414243")}, {out, "830008700005FF7E"}, {in, "0102030000", {{3, 2}}}},
       "unknown: 01 02 03 and 2 bytes hidden",
       {{3, 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SessionReader reader(c.family);
    FrameReading reading;
    for (const Step& step : c.steps) {
      std::string hex = step.hex;
      std::erase(hex, ' ');
      reading = reader.read({0, step.direction, hex_to_bin(hex), step.hidden, 0});
    }
    EXPECT_EQ(reading.what, c.last);
    ASSERT_EQ(reading.file_data.size(), c.file_data.size());
    for (std::size_t i = 0; i < c.file_data.size(); ++i) {
      EXPECT_EQ(reading.file_data[i].start, c.file_data[i].start);
      EXPECT_EQ(reading.file_data[i].length, c.file_data[i].length);
    }
  }
}

TEST(SessionReader, TakesTheFamilyFromTheModelTheHeadingOrTheNames) {
  const Trace u811_names = golden_trace("session-u8110.txt");
  const Trace u813_names = golden_trace("session-u8130.txt");
  Trace headed = u813_names;
  headed.heading = {"lg81xx-cli 1.4.0", "command: --port sim --model \"LG U8120\" ls Immagini"};
  const Trace nothing;
  struct Case {
    const Trace& trace;
    std::optional<std::string> model;
    Family family;
  };
  const Case cases[] = {
      {u811_names, std::nullopt, Family::u811_u812}, {u813_names, std::nullopt, Family::u813},
      {headed, std::nullopt, Family::u811_u812},     {headed, "LG U8138", Family::u813},
      {nothing, std::nullopt, Family::none},
  };
  for (const Case& c : cases) EXPECT_EQ(family_of_trace(c.trace, c.model).family, c.family) << c.model.value_or("");
}

}  // namespace
}  // namespace lg81xx
