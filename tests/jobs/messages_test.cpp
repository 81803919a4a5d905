// The catalogue: every message once, in both languages, and every job's end exits with
// the status its message names.
#include <gtest/gtest.h>

#include <set>

#include "jobs/endings.h"
#include "jobs/exit_status.h"
#include "jobs/messages.h"

namespace lg81xx::testing {
namespace {

TEST(Catalogue, HoldsEveryMessageOnceInBothLanguages) {
  std::set<MessageId> seen;
  for (const auto& entry : whole_catalogue()) {
    EXPECT_TRUE(seen.insert(entry.id).second) << static_cast<int>(entry.id);
    EXPECT_NE(std::string(entry.italian), "") << static_cast<int>(entry.id);
    EXPECT_NE(std::string(entry.english), "") << entry.italian;
    if (entry.kind == MessageKind::part) {
      EXPECT_EQ(std::string(entry.title), "") << entry.italian;
    }
  }
  for (int id = 0; id <= static_cast<int>(MessageId::not_tried_count); ++id)
    EXPECT_TRUE(seen.contains(static_cast<MessageId>(id))) << "no entry for " << id;
}

TEST(Catalogue, EveryEndingExitsWithTheStatusOfItsMessage) {
  const Job jobs[] = {Job::connect,  Job::open_folder, Job::java_list, Job::install,      Job::replace_sound,
                      Job::download, Job::probe,       Job::send_file, Job::restore_sound};
  for (const Job job : jobs)
    for (int r = 0; r <= static_cast<int>(JobResult::interrupted); ++r)
      for (const Family family : {Family::none, Family::u811_u812, Family::u813}) {
        const auto result = static_cast<JobResult>(r);
        if (const auto id = ending_message(job, result, family)) {
          EXPECT_EQ(catalogue(*id).exit, exit_status_for(result)) << catalogue(*id).italian;
        }
      }
}

TEST(Catalogue, MessagesFillTheirNamesAndFollowWithTheirDetail) {
  const Message summary{MessageId::downloads_saved, ": x (non provato)", {"2", "1"}};
  EXPECT_EQ(summary.italian(), "2 file salvati, 1 non salvati: x (non provato)");
  EXPECT_EQ(summary.english(), "2 saved, 1 failed");
  EXPECT_EQ(filled("{} e {}", {"a"}), "a e {}");  // a name not given leaves its place
  EXPECT_EQ(port_failure_message(PortFailure::denied, "/dev/ttyACM0", "").italian(),
            "ACCESSO ALLA PORTA NEGATO: /dev/ttyACM0 (l'utente deve far parte del gruppo dialout)");
  EXPECT_EQ(port_failure_message(PortFailure::other, "/dev/x", "why").italian(),
            "IMPOSSIBILE APRIRE LA PORTA: /dev/x (why)");
}

}  // namespace
}  // namespace lg81xx::testing
