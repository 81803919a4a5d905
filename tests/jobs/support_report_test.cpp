// The report for support: what it holds, and the IMEI in none of its forms.
#include "jobs/support_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "base/hex_codec.h"
#include "platform/zip/zip_writer.h"
#include "support/jar_files.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;
constexpr const char* kImei = "354321098765432";  // the virtual phone's, in the recorded sessions

std::string wide_hex(std::string_view text) {
  std::string out;
  for (const char c : text) out += bin_to_hex(std::string(1, c)) + "00";
  return out;
}

// Whether `text` holds the IMEI as digits, as their hex or as their UTF-16LE hex, blanks ignored.
bool holds_imei(std::string text) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text.find(kImei) != std::string::npos || text.find(bin_to_hex(kImei)) != std::string::npos ||
         text.find(wide_hex(kImei)) != std::string::npos;
}

TEST(SupportReport, HoldsTheSessionsAndNoImeiInAnyForm) {
  TempDir sessions;
  const fs::path replays = LG81XX_REPLAYS_DIR;
  write_file(sessions / "20261201-100000-000-lg81xx-cli-1.trace", read_file(replays / "u8130-info.trace"));
  write_file(sessions / "20261201-100100-000-lg81xx-cli-2.trace", read_file(replays / "u8130-get.trace"));
  // A name sent as UTF-16LE that happens to be the IMEI's digits.
  write_file(sessions / "20261201-100200-000-lg81xx-cli-3.trace",
             "# lg81xx-cli 0.1.0\n       0.000 -> " + wide_hex(kImei) + "\n");
  write_file(sessions / "notes.txt", "not a session");
  LocalFiles files;
  const ReportFacts facts{"lg81xx-cli 0.1.0",
                          "Linux 6.1 x86_64",
                          "6.4.2",
                          {"connect on /dev/ttyACM0:", std::string("  IMEI: ") + kImei},
                          sessions.path()};
  const auto entries = support_report(files, facts);
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e.name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"report.json", "doctor.txt", "sessions/20261201-100000-000-lg81xx-cli-1.trace",
                                      "sessions/20261201-100100-000-lg81xx-cli-2.trace",
                                      "sessions/20261201-100200-000-lg81xx-cli-3.trace"}));
  const auto zip = zip_archive(entries);
  ASSERT_TRUE(zip);
  const ZipEntries unzipped = jar_entries(*zip);
  ASSERT_EQ(unzipped.size(), entries.size());
  for (const auto& [name, content] : unzipped) EXPECT_FALSE(holds_imei(content)) << name << "\n" << content;
  EXPECT_NE(unzipped.at("doctor.txt").find("***********5432"), std::string::npos);
  EXPECT_NE(unzipped.at("report.json").find("\"qt\": \"6.4.2\""), std::string::npos);
  // The downloaded picture's bytes are out, its name stays.
  const std::string& get = unzipped.at("sessions/20261201-100100-000-lg81xx-cli-2.trace");
  EXPECT_NE(get.find(" file bytes]"), std::string::npos) << get;
  EXPECT_NE(get.find("get Images foto.jpg"), std::string::npos) << get;
}

TEST(SupportReport, DefaultNameHasTheDate) {
  const std::string name = default_report_name();
  EXPECT_TRUE(name.starts_with("lg81xx-report-20") && name.ends_with(".zip") && name.size() == 28) << name;
}

}  // namespace
}  // namespace lg81xx::testing
