#pragma once
// One run of a phone command at a terminal: the platform parts, the jobs over the chosen
// line, the program folder made ready, connect and disconnect.
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "jobs/connect.h"
#include "jobs/job_context.h"
#include "phone_line.h"
#include "platform/files.h"
#include "platform/port_list.h"
#include "platform/zip/zip_archiver.h"
#include "terminal_listener.h"
#include "trace_log.h"

namespace lg81xx::cli {

// The options every command shares.
struct GlobalOptions {
  std::optional<std::string> port;
  std::string model = "LG U8130";
  std::optional<std::filesystem::path> home;
  std::optional<std::filesystem::path> trace;
  bool fast = false;
  bool force = false;                               // --force before the command: --trace may replace a regular file
  std::vector<std::filesystem::path> inputs;        // the files (or folders) the command reads, never a trace
  std::optional<std::filesystem::path> sessions;    // where the session is recorded; nothing: it is not
  std::filesystem::path program_folder;             // the executable's folder
  std::filesystem::path user_folder;                // the per-user fallback for the program folder
  std::vector<std::filesystem::path> data_folders;  // where an installation keeps emu.zip
  PortLister list_ports;                            // the serial ports, to find the phone's when --port is not given
};

class Session {
 public:
  // Waits on `clock`, or on steady time when none is given.
  Session(PhoneLine& line, TerminalListener& listener, std::filesystem::path home, Clock* clock = nullptr);
  JobContext& jobs() { return jobs_; }
  Clock& clock() { return clock_; }
  const std::filesystem::path& home() const { return home_; }

  // The program folder made ready; false, its message shown, when the program cannot
  // work from it.
  bool start();
  // Connects as `model` on the line; the connect's message shown when it did not run to
  // its end.
  JobOutcome<PhoneFacts> connect(const std::string& model);
  void disconnect() { disconnect_phone(jobs_); }

 private:
  PhoneLine& line_;
  TerminalListener& listener_;
  SteadyClock steady_;
  Clock& clock_;
  ZipArchiver archiver_;
  LocalFiles files_;
  std::filesystem::path home_;
  JobContext jobs_;
};

// Where `--port sim` keeps the virtual phone's folders between runs, so that an install
// shows in the next listing.
std::filesystem::path virtual_phone_storage(const std::filesystem::path& home, const std::string& model);

// The line to `port` (as typed, or sim) as `options`' model; nothing after a line on
// `err`, with `status` the exit status.
std::unique_ptr<PhoneLine> make_line(const GlobalOptions& options, const std::string& port,
                                     const std::filesystem::path& home, std::ostream& err, int& status);

// A job of a phone command: the connected session and what the connect learned; returns
// the exit status.
using PhoneJob = std::function<int(Session&, const PhoneFacts&)>;

// Everything a phone command does around its job: the program folder, the trace file, the
// line, start-up, `before_connect` (local work; the connect is left out when it fails),
// connect; then `job`; then disconnect. Problems before the connect are one line on `err`
// and their exit status.
int run_connected(const GlobalOptions& options, TerminalListener& listener, std::ostream& err, const PhoneJob& job,
                  const std::function<int(Session&)>& before_connect = nullptr);

// The --trace file opened as `get -o` saves (a new file, or a regular one with --force;
// never a link, FIFO, device, folder or a file the command reads: its inputs, the files of
// its input folders and the program folder `home`'s own) and the recorded session set up:
// kSuccess, or a line on `err` and kLocalFile.
int open_traces(TraceFile& trace, const GlobalOptions& options, std::ostream& err,
                const std::filesystem::path& home = {});

// `status`, or kLocalFile with a line on `err` when a run that succeeded could not write
// its whole trace.
int checked_trace(TraceFile& trace, std::ostream& err, int status);

}  // namespace lg81xx::cli
