// Connetti/Disconnetti when the port cannot be had, the keep-alive tick, and the position
// texts.
#include <gtest/gtest.h>

#include "base/hex_codec.h"
#include "shell/messages.h"
#include "shell/position.h"
#include "support/form_fixture.h"

namespace lg81xx::testing {
namespace {

class Connection : public FormFixture {};

// Every way the chosen port can fail: one error box naming the problem, the device and
// what to do, and nothing written.
TEST_F(Connection, PortProblemsAreNamedAndLeaveThePortClosed) {
  struct Row {
    const char* combo;
    bool opens;
    PortFailure failure;
    JobResult result;
    std::string says;
  };
  const Row rows[] = {
      {"", true, {}, JobResult::not_connected, "SCEGLIERE LA PORTA DI COMUNICAZIONE"},
      {"COM  21", true, {}, JobResult::bad_input, "PORTA COM NON VALIDA: le porte vanno da COM  1 a COM  20"},
      {"com 0", true, {}, JobResult::bad_input, "PORTA COM NON VALIDA: le porte vanno da COM  1 a COM  20"},
      {"COM  3", false, PortFailure::not_found, JobResult::not_connected,
       "PORTA NON TROVATA: /dev/ttyS2 (collegare il telefono o scegliere un'altra porta)"},
      {"/dev/ttyACM7", false, PortFailure::in_use, JobResult::not_connected,
       "PORTA GIÀ IN USO: /dev/ttyACM7 (chiudere il programma che la usa)"},
      {"/dev/ttyACM7", false, PortFailure::denied, JobResult::not_connected,
       "ACCESSO ALLA PORTA NEGATO: /dev/ttyACM7 (l'utente deve far parte del gruppo dialout)"},
      {"/dev/ttyACM7", false, PortFailure::other, JobResult::not_connected,
       "IMPOSSIBILE APRIRE LA PORTA: /dev/ttyACM7 (no such device)"},
  };
  form.choose_model("LG U8130");
  for (const auto& row : rows) {
    ui.messages.clear();
    port.can_open = row.opens;
    port.failure = row.failure;
    form.choose_port(row.combo);
    EXPECT_EQ(form.connect_or_disconnect(), row.result) << row.combo;
    EXPECT_EQ(ui.messages, (std::vector<Message>{{row.says, MessageStyle::critical, text::kErrorTitle}})) << row.combo;
    EXPECT_FALSE(port.is_open());
  }
  EXPECT_TRUE(port.written.empty());
}

TEST_F(Connection, TheTickSendsTheKeepAliveOnlyOnAFreeLine) {
  EXPECT_FALSE(form.keep_alive_tick()) << "closed";
  form.phone().open("COM1");
  EXPECT_FALSE(form.keep_alive_tick()) << "held until a connect";
  form.phone().free_line();
  std::vector<bool> lamp_at_write;
  port.on_write = [&](const Bytes&) {
    lamp_at_write.push_back(form.controls().ledr.visible);
    port.arrive(hex_to_bin("A00003"));
  };
  EXPECT_TRUE(form.keep_alive_tick());
  EXPECT_TRUE(form.keep_alive_tick());
  EXPECT_EQ(lamp_at_write, (std::vector<bool>{true, true}));
  EXPECT_FALSE(form.controls().ledr.visible);
  ASSERT_EQ(port.written.size(), 2u);
  EXPECT_EQ(bin_to_hex(port.written[0]), "83001170000EFF7DDF00A101000008007E");
  EXPECT_EQ(clock.now_ms(), 200);
}

TEST(Position, ProposedFromTheJavaListAndPaddedForTheInstall) {
  for (const auto& [rows, text] : {std::pair<std::size_t, const char*>{0, "01"}, {8, "05"}, {22, "12"}, {5, "3.5"}})
    EXPECT_EQ(insertion_position(rows), text) << rows;
  struct Case {
    const char* text;
    std::optional<std::string> padded;
  };
  for (const Case& c : {Case{"5", "05"}, Case{"64", "64"}, Case{"65", {}}, Case{" 5", {}}, Case{"123", {}},
                        Case{"", {}}})
    EXPECT_EQ(padded_position(c.text), c.padded) << c.text;
}

}  // namespace
}  // namespace lg81xx::testing
