#include "session.h"

#include "arguments.h"
#include "home_folder.h"
#include "interrupt.h"
#include "jobs/exit_status.h"
#include "jobs/start_up.h"
#include "port_option.h"
#include "sample_content.h"
#include "trace_log.h"

namespace lg81xx::cli {
namespace fs = std::filesystem;

Session::Session(PhoneLine& line, TerminalListener& listener, fs::path home, Clock* clock)
    : line_(line),
      listener_(listener),
      clock_(clock != nullptr ? *clock : steady_),
      home_(std::move(home)),
      jobs_(line.port(), clock_, files_, archiver_, listener) {}

bool Session::start() {
  const auto started = start_up(jobs_, home_);
  if (started.message) listener_.print(*started.message);
  return started.ok();
}

JobOutcome<PhoneFacts> Session::connect(const std::string& model) {
  auto connected = connect_phone(jobs_, {model, line_.port_text()});
  if (connected.message) listener_.print(*connected.message);
  return connected;
}

fs::path virtual_phone_storage(const fs::path& home, const std::string& model) {
  std::string folder = model;
  for (char& c : folder)
    if (c == ' ') c = '-';
  return home / "virtual-phone" / folder;
}

std::unique_ptr<PhoneLine> make_line(const GlobalOptions& options, const std::string& port, const fs::path& home,
                                     std::ostream& err, int& status) {
  switch (port_kind(port)) {
    case PortKind::virtual_phone: {
      const auto storage = virtual_phone_storage(home, options.model);
      std::error_code ec;
      if (!fs::exists(storage, ec) && !sim::fill_sample_content(storage, options.model)) {
        err << "lg81xx-cli: cannot prepare the virtual phone's folders in " << storage.string() << "\n";
        status = kLocalFile;
        return nullptr;
      }
      std::string why;
      auto line = virtual_line(options.model, storage, why);
      if (!line) {
        err << "lg81xx-cli: cannot start the virtual phone: " << why << "\n";
        status = kNoAnswer;
      }
      return line;
    }
    case PortKind::serial:  // taken as typed: the connect names any problem
      return serial_line(port);
  }
  return nullptr;
}

int run_connected(const GlobalOptions& options, TerminalListener& listener, std::ostream& err, const PhoneJob& job,
                  const std::function<int(Session&)>& before_connect) {
  const auto port =
      port_to_open(options.port, options.list_ports ? options.list_ports() : std::vector<PortInfo>{}, err);
  if (!port) return kBadInput;
  const auto home = prepare_home(options.home, options.program_folder, options.user_folder, options.data_folders);
  if (home.path.empty()) {
    err << "lg81xx-cli: " << home.error << "\n";
    return kLocalFile;
  }
  int status = kSuccess;
  auto line = make_line(options, *port, home.path, err, status);
  if (!line) return status;
  TraceFile trace;  // outlives the session that writes to it
  if (const int opened = open_traces(trace, options, err, home.path); opened != kSuccess) return opened;

  Session session(*line, listener, home.path);
  const CancelOnSignal signals(session.jobs());
  if (!session.start()) return kLocalFile;  // its message is shown
  trace.attach(session.jobs().phone().link(), session.clock());
  session.jobs().phone().link().set_mode(options.fast ? WaitMode::fast : WaitMode::classic);
  if (before_connect)
    if (const int prepared = before_connect(session); prepared != kSuccess) return prepared;

  const auto connected = session.connect(options.model);
  for (const auto& w : session.jobs().phone().connect_warnings())
    err << "lg81xx-cli: warning: " << warning_text(w) << "\n";
  status = connected.ok() ? job(session, connected.value) : exit_status_for(connected.result);
  session.disconnect();
  return checked_trace(trace, err, signals.exit_status(status));
}

namespace {

// What the command reads besides its arguments: the program folder's settings, emulation
// classes and virtual phone (a folder stands for every file below it).
std::vector<fs::path> files_read(const GlobalOptions& options, const fs::path& home) {
  std::vector<fs::path> files = options.inputs;
  if (!home.empty())
    files.insert(files.end(), {home / "LG81XX.ini", home / "emu.zip", home / "emu", home / "virtual-phone"});
  return files;
}

}  // namespace

int open_traces(TraceFile& trace, const GlobalOptions& options, std::ostream& err, const fs::path& home) {
  if (options.trace) {
    const auto problem = trace.open(*options.trace, {options.force, files_read(options, home)});
    if (problem != LogFileProblem::none) {
      err << "lg81xx-cli: the trace file " << options.trace->string() << " " << log_file_problem_text(problem) << "\n";
      return kLocalFile;
    }
  }
  if (options.sessions) trace.record(*options.sessions, err);
  return kSuccess;
}

int checked_trace(TraceFile& trace, std::ostream& err, int status) {
  if (trace.complete()) return status;
  err << "lg81xx-cli: the trace file " << trace.path().string() << " could not be written in full\n";
  return status == kSuccess ? kLocalFile : status;  // the job's own failure says more
}

}  // namespace lg81xx::cli
