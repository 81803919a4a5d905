// report: a ZIP for support, with the version, the system, the doctor's findings and the
// recorded sessions, the IMEI hidden and the files' data out.
#include <sys/utsname.h>

#include <QtGlobal>

#include "commands.h"
#include "jobs/doctor.h"
#include "jobs/fetch.h"
#include "jobs/support_report.h"
#include "platform/posix/posix_system_probe.h"

namespace lg81xx::cli {
namespace {

std::string system_text() {
  utsname name{};
  if (::uname(&name) != 0) return "unknown";
  return std::string(name.sysname) + " " + name.release + " " + name.version + " " + name.machine;
}

// Why nothing can be saved at `path`: one line and the save problem's exit status.
int refuse(SaveResult problem, const std::filesystem::path& path, std::ostream& err) {
  const MessageId why = save_problem(problem);
  err << "lg81xx-cli: " << english(why, {path.string()}) << "\n";
  return catalogue(why).exit;
}

}  // namespace

int run_report(const GlobalOptions& options, Terminal& term, const std::optional<std::filesystem::path>& output,
               bool force) {
  const std::filesystem::path path = output.value_or(default_report_name());
  const Replace replace = force ? Replace::regular_file : Replace::never;
  LocalFiles files;
  if (const SaveResult problem = files.check_save(path, replace); problem != SaveResult::ok)
    return refuse(problem, path, term.err);

  PosixSystemProbe probe;
  const DoctorReport doctor = examine_connection(probe, options.port);
  const ReportFacts facts{"lg81xx-cli " LG81XX_VERSION, system_text(), qVersion(), doctor_lines(doctor),
                          options.sessions.value_or(std::filesystem::path{})};
  const auto entries = support_report(files, facts);
  const auto zip = zip_archive(entries);
  if (!zip) {
    term.err << "lg81xx-cli: the report could not be made\n";
    return kLocalFile;
  }
  if (const SaveResult saved = files.save(path, *zip, replace); saved != SaveResult::ok)
    return refuse(saved, path, term.err);
  term.out << path.string() << " (" << zip->size() << " bytes) holds:\n";
  for (const auto& entry : entries) term.out << "  " << entry.name << " (" << entry.content.size() << " bytes)\n";
  return kSuccess;
}

}  // namespace lg81xx::cli
