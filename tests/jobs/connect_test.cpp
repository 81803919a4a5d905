// The connect: a port that cannot be had, and what the connect learns of the phone step by
// step.
#include <gtest/gtest.h>

#include "jobs/connect.h"
#include "support/jobs_fixture.h"
#include "support/phone_on_fake_port.h"

namespace lg81xx::testing {
namespace {

class ConnectJob : public JobsFixture {};

// Every way the chosen port can fail: the message names the problem, the device and what
// to do, and nothing is written.
TEST_F(ConnectJob, PortProblemsAreNamedAndLeaveThePortClosed) {
  struct Row {
    const char* model;
    const char* port_text;
    bool opens;
    PortFailure failure;
    JobResult result;
    std::string says;
  };
  const Row rows[] = {
      {"", "COM  3", true, {}, JobResult::not_connected, "SCEGLIERE IL MODELLO DEL TELEFONO"},
      {"LG U8130", "", true, {}, JobResult::not_connected, "SCEGLIERE LA PORTA DI COMUNICAZIONE"},
      {"LG U8130",
       "COM  21",
       true,
       {},
       JobResult::bad_input,
       "PORTA COM NON VALIDA: le porte vanno da COM  1 a COM  20"},
      {"LG U8130", "com 0", true, {}, JobResult::bad_input, "PORTA COM NON VALIDA: le porte vanno da COM  1 a COM  20"},
      {"LG U8130", "COM  3", false, PortFailure::not_found, JobResult::not_connected,
       "PORTA NON TROVATA: /dev/ttyS2 (collegare il telefono o scegliere un'altra porta)"},
      {"LG U8130", "/dev/ttyACM7 (LG)", false, PortFailure::in_use, JobResult::not_connected,
       "PORTA GIÀ IN USO: /dev/ttyACM7 (chiudere il programma che la usa)"},
  };
  for (const auto& row : rows) {
    port.can_open = row.opens;
    port.failure = row.failure;
    const auto connected = connect_phone(jobs, {row.model, row.port_text});
    EXPECT_EQ(connected.result, row.result) << row.port_text;
    ASSERT_TRUE(connected.message) << row.port_text;
    EXPECT_EQ(connected.message->italian(), row.says);
    EXPECT_EQ(connected.message->entry().kind, MessageKind::error);
    EXPECT_FALSE(port.is_open());
  }
  EXPECT_TRUE(port.written.empty());
  EXPECT_EQ(listener.starts, 2) << "the two ports that did not open were tried";
}

// The listener hears each answer as it comes; a full folder "Java" proposes nothing and
// says so.
TEST_F(ConnectJob, LearnsStepByStepAndWarnsOfAFullJavaFolder) {
  TempDir storage;
  for (int n = 1; n <= 64; ++n)
    for (const char* extension : {".jad", ".jar"})
      write_file(storage / "Java" / (std::string{char('0' + n / 10), char('0' + n % 10)} + extension), "x");
  sim::VirtualPhone phone({"LG U8120", "354321098765432", storage.path(), 0});
  answer_with(port, phone);
  const auto connected = connect_phone(jobs, {"LG U8120", "/dev/virtual"});
  ASSERT_TRUE(connected.ok());
  EXPECT_EQ(listener.stages, (std::vector{ConnectStage::imei, ConnectStage::information, ConnectStage::folders,
                                          ConnectStage::java_list}));
  const PhoneFacts& facts = connected.value;
  EXPECT_EQ(facts.device, "/dev/virtual");
  EXPECT_EQ(facts.imei, "354321098765432");
  EXPECT_EQ(facts.information, "U8120");
  EXPECT_EQ(facts.folders, (std::vector<std::string>{"Immagini", "Audio", "Video", "Java"}));
  ASSERT_TRUE(facts.java);
  EXPECT_EQ(facts.java->rows.size(), 128u);
  EXPECT_FALSE(facts.java->position);
  EXPECT_EQ(listener.notices, (std::vector<Message>{{MessageId::java_full, {}, {}}}));
  EXPECT_TRUE(jobs.phone().line_free());

  disconnect_phone(jobs);
  EXPECT_FALSE(port.is_open());
  EXPECT_FALSE(keep_alive(jobs));  // nothing goes out on a closed port
}

}  // namespace
}  // namespace lg81xx::testing
