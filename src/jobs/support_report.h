#pragma once
// The report a user sends to support when a phone does not work: which program and system
// it is, what the doctor finds, and the recorded sessions, all through the privacy filter
// (the IMEI hidden but for its last four digits in every form it takes, the data of the
// user's files out). Nothing of the user's files goes but their names, as the traces
// carry them.
#include <filesystem>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "platform/files.h"
#include "platform/zip/zip_writer.h"

namespace lg81xx {

struct ReportFacts {
  std::string program;              // "lg81xx-cli 0.1.0"
  std::string system;               // "Linux 6.1.0-18-amd64 x86_64"
  std::string qt;                   // "6.4.2"
  std::vector<std::string> doctor;  // the doctor's lines
  std::filesystem::path sessions;   // the folder of the recorded sessions
};

// The report's files, in their order: report.json (program, system, Qt, the sessions'
// names), doctor.txt, and sessions/NAME for each recorded session; zip_archive() makes
// the ZIP that is saved.
std::vector<ZipEntry> support_report(Files& files, const ReportFacts& facts);

// "lg81xx-report-2026-12-07.zip" for today's date.
std::string default_report_name();

}  // namespace lg81xx
