// Connetti/Disconnetti when the port cannot be had, and the position texts.
#include <gtest/gtest.h>

#include <numeric>

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

// The rows of a "Java" listing with an application at each of `positions`.
std::vector<std::string> java_rows(const std::vector<int>& positions) {
  std::vector<std::string> rows;
  for (int n : positions) {
    const std::string nn{char('0' + n / 10), char('0' + n % 10)};
    rows.insert(rows.end(), {nn + ".jad", nn + ".jar"});
  }
  return rows;
}

TEST(Position, TheFirstFreeOneIsProposed) {
  std::vector<int> all(64);
  std::iota(all.begin(), all.end(), 1);
  const auto full = java_rows(all);
  struct Case {
    const char* what;
    std::vector<std::string> rows;
    std::optional<std::string> proposed;
  };
  const Case cases[] = {
      {"empty", {}, "01"},
      {"contiguous: rows / 2 + 1", java_rows({1, 2, 3, 4}), "05"},
      {"a gap", java_rows({1, 3}), "02"},
      {"01 removed", java_rows({2, 3}), "01"},
      {"a lone descriptor", {"01.jad", "01.jar", "02.JAD"}, "03"},
      {"a lone archive", {"01.jar"}, "02"},
      {"other files take nothing", {"01.mnf", "1.jad", "001.jar", "ab.jad", "01.jadx", ""}, "01"},
      {"00 is never proposed", java_rows({0}), "01"},
      {"full", full, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(first_free_position(c.rows), c.proposed) << c.what;
  EXPECT_TRUE(is_taken(java_rows({0, 64}), "00"));
  EXPECT_TRUE(is_taken(java_rows({0, 64}), "64"));
  EXPECT_FALSE(is_taken(java_rows({0, 64}), "6"));
  EXPECT_FALSE(is_taken({"05.mnf"}, "05"));
}

TEST(Position, PaddedForTheInstall) {
  struct Case {
    const char* text;
    std::optional<std::string> padded;
  };
  for (const Case& c : {Case{"0", "00"}, Case{"5", "05"}, Case{"64", "64"}, Case{"65", {}}, Case{" 5", {}},
                        Case{"123", {}}, Case{"", {}}})
    EXPECT_EQ(padded_position(c.text), c.padded) << c.text;
}

}  // namespace
}  // namespace lg81xx::testing
