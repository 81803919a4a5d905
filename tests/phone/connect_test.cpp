// The connect sequence, the goodbye and the cuts of the phone's answers.
#include <gtest/gtest.h>

#include "support/phone_fixture.h"
#include "support/phone_on_fake_port.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

using Names = std::vector<std::string>;

class PhoneConnect : public PhoneFixture {};

TEST_F(PhoneConnect, BothFamiliesTellTheirIdentityAndFolders) {
  struct Case {
    const char* model;
    const char* info;
    Names folders;
  };
  const Case cases[] = {
      {"LG U8138", "U8138 V10c-EUR", {"Animations", "Audios", "Images", "Videos", "VoiceRecord", "Java"}},
      {"LG U8110", "U8110", {"Immagini", "Audio", "Video", "Java"}},
  };
  for (const Case& c : cases) {
    TempDir storage;
    sim::VirtualPhone answering({c.model, "356789012345678", storage.path(), 0});
    answer_with(port, answering);
    phone.set_model(c.model);
    phone.set_sequence(9);
    ASSERT_TRUE(phone.open("COM1"));
    EXPECT_EQ(phone.sequence(), 0);
    EXPECT_EQ(phone.query_imei(), "356789012345678");
    const auto info = phone.start_session();
    EXPECT_FALSE(phone.line_free()) << "held until the folders are in";
    const auto folders = phone.read_folders();
    EXPECT_TRUE(info.ok() && folders.ok()) << c.model;
    EXPECT_EQ(info.value, c.info);
    EXPECT_EQ(folders.value, c.folders);
    EXPECT_EQ(phone.sequence(), 1);
    EXPECT_TRUE(phone.line_free());
    EXPECT_FALSE(events.lamps.back());
  }
}

TEST_F(PhoneConnect, ShortAnswersGiveShortTexts) {
  phone.set_model("LG U8130");
  port.on_write = [&](const Bytes& f) {
    if (f == phone.frames().imei_query_frame) port.arrive("AT+CGSN\r\r\n12345");
    if (f == phone.frames().root_list_frame) port.arrive(Bytes(17, '\1') + "Solo:");
  };
  phone.open("COM1");
  EXPECT_EQ(phone.query_imei(), "12345");
  EXPECT_EQ(phone.start_session().value, "");
  EXPECT_EQ(phone.read_folders().value, (Names{"Solo", "Java"}));
}

TEST_F(PhoneConnect, ALineLostOnTheWayEndsTheConnect) {
  TempDir storage;
  sim::VirtualPhone answering({"LG U8130", "356789012345678", storage.path(), 0});
  answer_with(port, answering);
  auto answer = port.on_write;
  port.on_write = [&](const Bytes& f) {
    if (f == phone.frames().phone_info_frame) return port.hang_up();
    answer(f);
  };
  phone.set_model("LG U8130");
  phone.open("COM1");
  EXPECT_EQ(phone.query_imei(), "356789012345678");
  EXPECT_EQ(phone.start_session().result, JobResult::link_lost);
  EXPECT_EQ(phone.read_folders().result, JobResult::link_lost);
  EXPECT_EQ(port.writes_while_closed, 0);
}

TEST_F(PhoneConnect, GoodbyeClosesAtOnce) {
  connected("LG U8130");
  phone.disconnect();
  EXPECT_EQ(port.written, std::vector<Bytes>{phone.frames().disconnect_frame});
  EXPECT_FALSE(phone.is_open());
  EXPECT_EQ(clock.now_ms(), 0);
  EXPECT_EQ(phone.silence(), JobResult::link_lost);
}

}  // namespace
}  // namespace lg81xx::testing
