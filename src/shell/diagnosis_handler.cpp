// "Diagnosi della connessione…": the doctor's findings for the port in the port box, in a
// box the user can copy into a request for help.
#include "jobs/doctor.h"
#include "shell/window_model.h"

namespace lg81xx {

JobResult WindowModel::diagnose_connection(SystemProbe& probe) {
  const std::string& port = controls_.port_box.text;
  DoctorReport report = examine_connection(probe, port.empty() ? std::nullopt : std::optional(port));
  // An open session is the answer already; a connect tried now would end it.
  if (!phone().is_open() && report.port) {
    Working working(*this, text::kStatusDiagnosing, false);
    const WaitMode mode = phone().link().mode();
    try_phone(jobs_, *report.port, report);
    phone().link().set_mode(mode);
  }
  show_where_it_stands();
  std::string findings;
  for (const auto& line : doctor_lines(report)) findings += "\n" + line;
  show({MessageId::diagnosis, findings, {}});
  return doctor_problem(report) && !phone().is_open() ? JobResult::bad_input : JobResult::ok;
}

}  // namespace lg81xx
