#include "jobs/support_report.h"

#include <ctime>
#include <nlohmann/json.hpp>

#include "jobs/recorded_sessions.h"
#include "phone/trace/privacy_filter.h"

namespace lg81xx {

std::vector<ZipEntry> support_report(Files& files, const ReportFacts& facts) {
  std::vector<std::pair<std::string, std::string>> sessions;  // name, text
  for (const auto& path : recorded_sessions(facts.sessions))
    if (auto text = files.read_all(path)) sessions.emplace_back(path.filename().string(), std::move(*text));

  std::string doctor;
  for (const auto& line : facts.doctor) doctor += line + "\n";
  nlohmann::json about = {
      {"program", facts.program}, {"system", facts.system}, {"qt", facts.qt}, {"sessions", nlohmann::json::array()}};
  for (const auto& [name, text] : sessions) about["sessions"].push_back(name);
  const std::string about_text = about.dump(2) + "\n";

  // Every IMEI of every part is learned first, so that each is hidden in all of them.
  PrivacyFilter filter;
  filter.learn(doctor);
  for (const auto& [name, text] : sessions) filter.learn(text);

  std::vector<ZipEntry> entries = {{"report.json", filter.text(about_text)}, {"doctor.txt", filter.text(doctor)}};
  for (const auto& [name, text] : sessions) entries.push_back({"sessions/" + name, filter.trace(text)});
  return entries;
}

std::string default_report_name() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char name[64];
  std::strftime(name, sizeof name, "lg81xx-report-%Y-%m-%d.zip", &local);
  return name;
}

}  // namespace lg81xx
