// The virtual phone's session answers, read back with the client's own cuts.
#include <gtest/gtest.h>

#include "link/hex_codec.h"
#include "link/request_frame.h"
#include "link/session_frames.h"
#include "shell/root_folders.h"
#include "support/temp_dir.h"
#include "transfer/listing_parse.h"
#include "virtual_phone.h"

namespace lg81xx::testing {
namespace {

class SessionService : public ::testing::Test {
 protected:
  sim::VirtualPhone phone(const std::string& model) { return sim::VirtualPhone({model, "350000111122223", storage.path(), 0}); }
  static void expect_obex_packet(const Bytes& reply) {
    ASSERT_GE(reply.size(), 3u);
    EXPECT_EQ(byte_at(reply, 0), 0xA0);
    EXPECT_EQ(get_be16(reply, 1), reply.size());
  }
  SessionFrames frames = inizializza_obex_string();
  TempDir storage;
};

TEST_F(SessionService, AnswersCutToTheIntendedValues) {
  struct Case {
    const char* model;
    std::size_t info_length;
    std::string info;
  };
  for (const Case& c : {Case{"LG U8130", 14, "U8130 V10c-EUR"}, Case{"LG U8110", 5, "U8110"}}) {
    SCOPED_TRACE(c.model);
    auto p = phone(c.model);
    EXPECT_EQ(p.receive(frames.imei_query_frame).substr(10, 15), "350000111122223");
    EXPECT_NE(p.receive(frames.obex_mode_frame).find("CONNECT"), std::string::npos);
    EXPECT_EQ(bin_to_hex(p.receive(frames.obex_connect_frame)), "A0000710000400");
    for (const Bytes* f : {&frames.session_open_frame, &frames.command_2081_frame, &frames.keep_alive_frame,
                           &frames.disconnect_frame})
      EXPECT_EQ(bin_to_hex(p.receive(*f)), "A00003");
    const Bytes info = p.receive(frames.phone_info_frame);
    expect_obex_packet(info);
    EXPECT_EQ(without_nuls(info).substr(11, c.info_length), c.info);
  }
  const Bytes root = phone("LG U8138").receive(frames.root_list_frame);
  expect_obex_packet(root);
  EXPECT_EQ(root_folders(without_nuls(root)),
            (std::vector<std::string>{"Animations", "Audios", "Images", "Videos", "VoiceRecord"}));
}

TEST_F(SessionService, ListingsParseBackToTheStoredFiles) {
  // Name lengths chosen so that some answers would carry 58 ("X") in a length byte.
  for (const char* model : {"LG U8130", "LG U8120"}) {
    for (std::size_t extra = 0; extra < 40; ++extra) {
      SCOPED_TRACE(std::string(model) + " " + std::to_string(extra));
      std::filesystem::remove_all(storage / "Video");
      std::filesystem::remove_all(storage / "Videos");
      auto p = phone(model);
      const Family fam = family_of(model);
      const std::string folder = fam == Family::u813 ? "Videos" : "Video";
      const std::vector<std::string> names = {"01.3gp", "a b.mp4", std::string(extra + 1, 'n') + ".mid"};
      for (const auto& n : names) write_file(storage / folder / n, "x");
      const Bytes name = fam == Family::u813 ? utf16le(folder) : Bytes(folder);
      const Bytes reply = p.receive(*listing_request(fam, folder, name, 2));
      expect_obex_packet(reply);
      EXPECT_EQ(listing_rows(listing_text(reply)), names);
    }
  }
}

TEST_F(SessionService, JavaFolderListsTwoEntriesPerApplication) {
  for (const char* n : {"01.jad", "01.jar", "01.mnf", "02.jad", "02.jar", "02.mnf", "contentInfo"})
    write_file(storage / "Java" / n, "x");
  const Bytes reply = phone("LG U8130").receive(*listing_request(Family::u813, "Java", utf16le("Java"), 2));
  EXPECT_EQ(listing_rows(listing_text(reply)), (std::vector<std::string>{"01.jad", "01.jar", "02.jad", "02.jar"}));
  EXPECT_EQ(insertion_position(4), "03");
}

TEST_F(SessionService, EmptyFolderListsNoRowAndUnknownFolderIsNotFound) {
  auto p = phone("LG U8130");
  const Bytes empty = p.receive(*listing_request(Family::u813, "Videos", utf16le("Videos"), 2));
  EXPECT_TRUE(listing_rows(listing_text(empty)).empty());
  EXPECT_EQ(insertion_position(listing_rows(listing_text(empty)).size()), "01");
  // A U811/U812 folder name asked of a U813 phone.
  Bytes request = *listing_request(Family::u813, "Videos", utf16le("Videos"), 3);
  request.replace(21, 12, utf16le("Movies"));  // same length, another name
  EXPECT_EQ(bin_to_hex(p.receive(request)), "C40003");
}

TEST_F(SessionService, MalformedRequestsGetNoAnswer) {
  const Bytes good = *listing_request(Family::u813, "Images", utf16le("Images"), 2);
  Bytes raw_seq = good;
  raw_seq[11] = '\x7E';
  Bytes bad_body = good;
  bad_body[14] = '\x1C';
  Bytes bad_total = good;
  bad_total[2] = '\x23';  // the packet ends one byte early: no 7E there
  for (const Bytes* b : {&raw_seq, &bad_body, &bad_total}) EXPECT_EQ(phone("LG U8130").receive(*b), "") << bin_to_hex(*b);
  EXPECT_NE(phone("LG U8130").receive(good), "");
}

}  // namespace
}  // namespace lg81xx::testing
