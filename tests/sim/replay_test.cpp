// A recorded session played back: the trace as lg81xx-cli writes it, each request taken as
// the phone frames it in whatever pieces it comes, the answers whole at once or in their
// recorded pieces. (A replay that fails, and the recordings themselves, run as programs in
// tests/replays.)
#include <gtest/gtest.h>

#include "link/trace_format.h"
#include "replay.h"

namespace lg81xx::testing {
namespace {

using std::string_literals::operator""s;

const char* const kTrace =
    "# lg81xx-cli 0.1.0\n"
    "# command: --port sim info\n"
    "\n"
    "       0.004 -> 41 54 2B 43 47 53 4E 0D 0A 00\r\n"
    "       0.404 <- 41 54 0D\n"
    "       0.410 <x 4f 4b 0a\n"
    "       0.500 -> 83 00 08 70 00 05 FF 7E\n"
    "       0.800 <- A0 00 03\n"
    "       1.000 -> 83 FF FF\n";

sim::RecordedSession session_of(const std::string& text) {
  std::string why;
  auto session = sim::recorded_session(read_trace(text), why);
  EXPECT_TRUE(session) << why;
  return session.value_or(sim::RecordedSession{});
}

// What cannot be replayed as it went is refused, naming the first such line of the trace.
TEST(Replay, RefusesATraceItCannotReplayNamingTheLine) {
  struct Row {
    const char* lines;  // from line 3
    const char* why;
  };
  const Row rows[] = {
      {"       1.000 => 41\n       2.000 ->\n", "line 3: not a frame"},
      {"       1.000 ->\nnot a frame\n", "line 3: a frame sent without bytes"},
      {"       1.000 <- A0 [4 file bytes] 7E\n       2.000 => 41\n", "line 3: file data hidden"},
  };
  for (const auto& r : rows) {
    std::string why;
    EXPECT_FALSE(sim::recorded_session(read_trace("# lg81xx-cli 0.1.0\n       0.500 -> 41\n"s + r.lines), why));
    EXPECT_TRUE(why.starts_with(r.why)) << r.lines << why;
  }
}

TEST(Replay, AnswersEachRequestAsRecordedInWhateverPiecesItComes) {
  const auto session = session_of(kTrace);
  const Bytes requests = session.requests[0].request + session.requests[1].request + session.requests[2].request;
  struct Row {
    bool timing;
    std::vector<std::vector<sim::Piece>> answers;
  };
  const Row rows[] = {
      {false, {{{0, "AT\rOK\n"}}, {{0, "\xA0\x00\x03"s}}, {}}},
      {true, {{{400, "AT\r"}, {6, "OK\n"}}, {{300, "\xA0\x00\x03"s}}, {}}},
  };
  for (const auto& r : rows) {
    VirtualClock clock;
    sim::ReplayPhone replay(session, r.timing, clock);
    std::vector<sim::Delivery> out;
    for (std::size_t at = 0; at < requests.size(); at += 5)  // in pieces that straddle the requests
      for (auto& d : replay.respond(std::string_view(requests).substr(at, 5))) out.push_back(std::move(d));
    EXPECT_EQ(out.size(), 2u);  // the last request announces more than it has
    clock.advance_ms(1001);
    for (auto& d : replay.expire()) out.push_back(std::move(d));  // taken as it stands
    ASSERT_EQ(out.size(), r.answers.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
      ASSERT_EQ(out[i].pieces.size(), r.answers[i].size()) << i;
      for (std::size_t k = 0; k < out[i].pieces.size(); ++k) {
        EXPECT_EQ(out[i].pieces[k].after_ms, r.answers[i][k].after_ms);
        EXPECT_EQ(out[i].pieces[k].bytes, r.answers[i][k].bytes);
      }
    }
    EXPECT_TRUE(replay.passed());
  }
}

}  // namespace
}  // namespace lg81xx::testing
