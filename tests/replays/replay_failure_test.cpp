// What lg81xx-cli --trace records now replays, header and requests; a replay that does not
// match the client fails: lg81xx-sim names the request, with both byte strings where it
// differs, and exits 1 once the client closed the line. The rows change a session recorded
// now the way a changed client would show: a byte of a request, a request it no longer
// sends, one it sends more.
#include <gtest/gtest.h>

#include <functional>

#include "replay_run.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "support/text_lines.h"

namespace lg81xx::testing {
namespace {

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

// The index of the line of request `n` (from 1).
std::size_t request_line(const std::vector<std::string>& lines, int n) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (has(lines[i], " -> ") && --n == 0) return i;
  return lines.size();
}

// A session recorded now, with lg81xx-cli --trace against lg81xx-sim on a pseudo-terminal.
std::vector<std::string> recorded_now(const TempDir& dir, const std::vector<std::string>& command) {
  SimProcess sim(LG81XX_SIM_BINARY, {"--model", "LG U8120"});
  std::vector<std::string> args{"--port", sim.device_path(), "--home", (dir / "home").string(), "--trace", "session"};
  args.insert(args.end(), command.begin(), command.end());
  const auto r = run_program(LG81XX_CLI_BINARY, args, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  return lines_of(read_file(dir / "session"));
}

TEST(Replay, AChangedClientFailsNamingTheRequest) {
  // U8120 ls Immagini: 9 requests, the listing of Immagini the 8th, the goodbye the 9th.
  TempDir recording;
  const auto recorded = recorded_now(recording, {"--model", "LG U8120", "--fast", "ls", "Immagini"});
  struct Row {
    const char* what;
    std::function<void(std::vector<std::string>&)> change;
    std::vector<std::string> sim_options;
    int sim_status;
    const char* says;
  };
  const Row rows[] = {
      {"as recorded, answers in the recorded pieces and gaps",
       [](auto&) {},
       {"--replay-timing"},
       0,
       "the session was replayed whole (9 requests)"},
      {"a byte of a request",
       [](auto& lines) {
         auto& line = lines[request_line(lines, 8)];
         line.replace(line.find("49 6D 6D"), 2, "4A");  // Jmmagini
       },
       {},
       1,
       "request 8 (line 17 of the trace) differs from the recording at offset 21\n"
       "  expected: 83 00 20 70 00 1D FF 7D DF 20 83 03 00 00 17 00 00 00 3F 00 0E 4A 6D 6D"},
      {"a request the client no longer sends",
       [](auto& lines) { lines.push_back("      9.999 -> 83 00 11 70 00 0E FF 7D DF 00 A1 01 00 00 08 00 7E"); },
       {},
       1,
       "request 10 (line 20 of the trace) never came: the client closed the line"},
      {"a request more",
       [](auto& lines) { lines.erase(lines.begin() + request_line(lines, 9)); },
       {},
       1,
       "request 9 came after the end of the recording (8 requests)\n"
       "  got: 83 00 11 70 00 0E FF 7D DF 00 82 2B 00 00 08 00 7E"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    TempDir dir;
    auto lines = recorded;
    r.change(lines);
    write_file(dir / "session.trace", joined(lines));
    const auto run = run_replay(dir / "session.trace", r.sim_options);
    ASSERT_EQ(run.problem, "");
    EXPECT_EQ(run.sim_status, r.sim_status) << run.sim_err;
    EXPECT_TRUE(has(run.sim_err, r.says)) << run.sim_err;
  }
}

}  // namespace
}  // namespace lg81xx::testing
