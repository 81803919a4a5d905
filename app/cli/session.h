#pragma once
// One run of the window model at a terminal: the platform parts, Form1 over the chosen
// line, start-up, connect and disconnect.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli_ui.h"
#include "phone_line.h"
#include "platform/files.h"
#include "platform/port_list.h"
#include "platform/zip/zip_archiver.h"
#include "shell/form1.h"
#include "trace_log.h"

namespace lg81xx::cli {

// The options every command shares.
struct GlobalOptions {
  std::optional<std::string> port;
  std::string model = "LG U8130";
  std::optional<std::filesystem::path> home;
  std::optional<std::filesystem::path> trace;
  bool fast = false;
  std::filesystem::path program_folder;             // the executable's folder
  std::filesystem::path user_folder;                // the per-user fallback for the program folder
  std::vector<std::filesystem::path> data_folders;  // where an installation keeps emu.zip
  PortLister list_ports;                            // the serial ports, to find the phone's when --port is not given
};

class Session {
 public:
  // Waits on `clock`, or on steady time when none is given.
  Session(PhoneLine& line, CliUi& ui, std::filesystem::path home, Clock* clock = nullptr);
  Form1& form() { return form_; }
  Clock& clock() { return clock_; }

  // Start-up, then the model and port chosen as the user would; false on a fatal start.
  bool start(const std::string& model, const std::string& port_text);
  // Connetti/Disconnetti while the port is closed: ok when the connect ran to its end.
  JobResult connect();
  // Connetti/Disconnetti while the port is open; nothing when it is closed.
  void disconnect();

 private:
  PhoneLine& line_;
  SteadyClock steady_;
  Clock& clock_;
  ZipArchiver archiver_;
  LocalFiles files_;
  Form1 form_;
};

// Where `--port sim` keeps the virtual phone's folders between runs, so that an install
// shows in the next listing.
std::filesystem::path virtual_phone_storage(const std::filesystem::path& home, const std::string& model);

// Everything a phone command does around its job: the program folder, the trace file, the
// line, start-up, `before_connect` (local work; the connect is left out when it fails),
// connect; then `job` (which returns an exit status); then disconnect. Problems before the
// connect are one line on `err` and their exit status.
int run_connected(const GlobalOptions& options, CliUi& ui, std::ostream& err, const std::function<int(Session&)>& job,
                  const std::function<int(Session&)>& before_connect = nullptr);

// `status`, or kLocalFile with a line on `err` when a run that succeeded could not write
// its whole trace.
int checked_trace(TraceFile& trace, std::ostream& err, int status);

}  // namespace lg81xx::cli
