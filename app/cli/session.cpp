#include "session.h"

#include "arguments.h"
#include "exit_status.h"
#include "home_folder.h"
#include "platform/qt/qt_serial_port.h"
#include "sample_content.h"
#include "trace_log.h"

namespace lg81xx::cli {
namespace fs = std::filesystem;

Session::Session(PhoneLine& line, CliUi& ui, fs::path home)
    : line_(line), form_(Platform{line.port(), clock_, ui, archiver_, files_}, std::move(home)) {
  ui.watch(&form_.progress_bar());
}

bool Session::start(const std::string& model, const std::string& port_text) {
  if (form_.start_up() != StartResult::ok) return false;
  form_.choose_model(model);
  form_.choose_port(port_text);
  return true;
}

JobResult Session::connect() {
  const JobResult result = form_.connect_or_disconnect();
  // However the handler reported it, a port that did not open means no phone to talk to.
  if (!line_.port().is_open() && result != JobResult::no_reply && result != JobResult::link_lost)
    return JobResult::not_connected;
  return result;
}

void Session::disconnect() {
  if (line_.port().is_open()) form_.connect_or_disconnect();
}

fs::path virtual_phone_storage(const fs::path& home, const std::string& model) {
  std::string folder = model;
  for (char& c : folder)
    if (c == ' ') c = '-';
  return home / "virtual-phone" / folder;
}

namespace {

// A device path is tried once before anything else, so that a wrong one is a clear line
// and not a message in the middle of a job. Opening a port sends nothing.
bool device_opens(const std::string& device, std::string& why) {
  QtSerialPort probe;
  if (!probe.open(device)) {
    why = probe.error_text();
    return false;
  }
  probe.close();
  return true;
}

std::unique_ptr<PhoneLine> make_line(const GlobalOptions& options, const fs::path& home, std::ostream& err,
                                     int& status) {
  const std::string& port = *options.port;
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
    case PortKind::com_item:
      return serial_line(*com_item_text(port));
    case PortKind::device: {
      std::string why;
      if (!device_opens(port, why)) {
        err << "lg81xx-cli: cannot open the port " << port << ": " << why << "\n";
        status = kNoAnswer;
        return nullptr;
      }
      return serial_line(port);
    }
  }
  return nullptr;
}

}  // namespace

int run_connected(const GlobalOptions& options, CliUi& ui, std::ostream& err,
                  const std::function<int(Session&)>& job, const std::function<int(Session&)>& before_connect) {
  if (!options.port || options.port->find_first_not_of(' ') == std::string::npos) {
    err << "lg81xx-cli: choose the phone's port with --port (a device such as /dev/ttyACM0, \"COM  3\", or sim)\n";
    return kBadInput;
  }
  const auto home = prepare_home(options.home, options.program_folder, options.user_folder, options.data_folders);
  if (home.path.empty()) {
    err << "lg81xx-cli: " << home.error << "\n";
    return kLocalFile;
  }
  int status = kSuccess;
  auto line = make_line(options, home.path, err, status);
  if (!line) return status;
  std::ofstream trace;
  if (options.trace) {
    trace.open(*options.trace, std::ios::trunc);
    if (!trace) {
      err << "lg81xx-cli: cannot write the trace file " << options.trace->string() << "\n";
      return kLocalFile;
    }
  }

  Session session(*line, ui, home.path);
  if (!session.start(options.model, line->port_text())) return kLocalFile;  // its message is shown
  Form1& form = session.form();
  if (options.trace) form.phone().link().set_trace(make_trace(trace, session.clock()));
  form.set_fast(options.fast);
  if (before_connect)
    if (const int prepared = before_connect(session); prepared != kSuccess) return prepared;

  if (const JobResult connected = session.connect(); connected != JobResult::ok) {
    session.disconnect();
    return exit_status_for(connected);
  }
  status = job(session);
  session.disconnect();
  return status;
}

}  // namespace lg81xx::cli
