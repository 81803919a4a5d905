// Where the sessions are recorded, and a record made only once a frame goes out.
#include "jobs/recorded_sessions.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;

TEST(RecordedSessions, FolderFromTheEnvironment) {
  struct Case {
    const char* state;
    const char* home;
    fs::path folder;
  };
  const Case cases[] = {
      {"/s", "/home/anna", "/s/lg81xx/sessions"},
      {nullptr, "/home/anna", "/home/anna/.local/state/lg81xx/sessions"},
      {"", "/home/anna", "/home/anna/.local/state/lg81xx/sessions"},
      {"relative", "/home/anna", "/home/anna/.local/state/lg81xx/sessions"},  // not absolute: ignored
      {nullptr, nullptr, ""},
      {nullptr, "relative", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(sessions_folder(c.state, c.home), c.folder)
        << (c.state ? c.state : "-") << " " << (c.home ? c.home : "-");
}

TEST(RecordedSessions, ARecordPerSessionMadeAtItsFirstFrame) {
  TempDir state;
  const fs::path folder = state / "lg81xx" / "sessions";
  std::vector<std::string> warnings;
  SessionRecorder recorder(folder, "lg81xx", "# lg81xx 0.1.0\n", [&](const std::string& w) { warnings.push_back(w); });
  EXPECT_FALSE(fs::exists(folder)) << "nothing before a frame";
  recorder.frame(0, Direction::sent, "AT");
  const fs::path first = recorder.path();
  recorder.next_session();
  recorder.frame(400, Direction::received, "OK");
  ASSERT_NE(recorder.path(), first);
  EXPECT_EQ(recorded_sessions(folder), (std::vector<fs::path>{first, recorder.path()}));
  EXPECT_EQ(read_file(first), "# lg81xx 0.1.0\n       0.000 -> 41 54\n");
  EXPECT_EQ(read_file(recorder.path()), "# lg81xx 0.1.0\n       0.400 <- 4F 4B\n");
  EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_TRUE(warnings.empty());

  // A folder that cannot be made: one warning, and the frames go on without it.
  write_file(state / "file", "");
  SessionRecorder nowhere(state / "file" / "sessions", "lg81xx", "#\n",
                          [&](const std::string& w) { warnings.push_back(w); });
  for (int i = 0; i < 3; ++i) nowhere.frame(i, Direction::sent, "AT");
  EXPECT_EQ(warnings.size(), 1u);
}

}  // namespace
}  // namespace lg81xx::testing
