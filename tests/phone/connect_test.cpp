// The cuts of the phone's answers at connect time, and a line lost on the way. (The whole
// sequence of both families is in the golden transcripts.)
#include <gtest/gtest.h>

#include "support/phone_fixture.h"
#include "support/phone_on_fake_port.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

using Names = std::vector<std::string>;

class PhoneConnect : public PhoneFixture {};

TEST_F(PhoneConnect, ShortAnswersGiveShortTexts) {
  phone.set_model("LG U8130");
  port.on_write = [&](const Bytes& f) {
    if (f == phone.frames().imei_query_frame) port.arrive("AT+CGSN\r\r\n12345");
    if (f == phone.frames().root_list_frame) port.arrive(Bytes(17, '\1') + utf16le("Solo:"));
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

}  // namespace
}  // namespace lg81xx::testing
