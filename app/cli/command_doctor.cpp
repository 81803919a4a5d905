// doctor: what stands between the program and the phone, and whether a phone answers.
#include "commands.h"
#include "home_folder.h"
#include "jobs/doctor.h"
#include "platform/posix/posix_system_probe.h"

namespace lg81xx::cli {

int run_doctor(const GlobalOptions& options, Terminal& term, SystemProbe& probe) {
  DoctorReport report = examine_connection(probe, options.port);
  int status = kSuccess;
  if (report.port) {
    const auto home = prepare_home(options.home, options.program_folder, options.user_folder, options.data_folders);
    if (home.path.empty()) {
      term.err << "lg81xx-cli: " << home.error << "\n";
      return kLocalFile;
    }
    auto line = make_line(options, *report.port, home.path, term.err, status);
    if (!line) {  // what the system shows still helps
      for (const auto& text : doctor_lines(report)) term.out << text << "\n";
      return status;
    }
    TraceFile trace;  // outlives the session that writes to it
    if (const int opened = open_traces(trace, options, term.err, home.path); opened != kSuccess) return opened;
    TerminalListener listener(term.err, term.terminal);
    Session session(*line, listener, home.path);
    trace.attach(session.jobs().phone().link(), session.clock());
    try_phone(session.jobs(), line->port_text(), report);
    status = checked_trace(trace, term.err, kSuccess);
  }
  for (const auto& line : doctor_lines(report)) term.out << line << "\n";
  if (const auto problem = doctor_problem(report)) {
    term.err << "lg81xx-cli: " << *problem << "\n";
    return kBadInput;
  }
  return status;
}

int run_doctor(const GlobalOptions& options, Terminal& term) {
  PosixSystemProbe probe;
  return run_doctor(options, term, probe);
}

}  // namespace lg81xx::cli
