// lg81xx-sim: a virtual LG phone on a pseudo-terminal. Prints the terminal's device path
// as the first line of standard output, then serves until SIGINT, SIGTERM or SIGHUP. A
// storage folder it made itself is removed when it ends. With --replay it plays back a
// recorded session instead, until the client closes the line.
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>

#include "command_line.h"
#include "generated_entries.h"
#include "pty_replay.h"

namespace {

namespace fs = std::filesystem;

fs::path new_temporary_storage() {
  std::string pattern = (fs::temp_directory_path() / "lg81xx-sim-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  return pattern;
}

// The storage the program made for itself goes when the program ends; one the user gave
// is never removed.
class TemporaryStorage {
 public:
  TemporaryStorage() = default;
  TemporaryStorage(const TemporaryStorage&) = delete;
  TemporaryStorage& operator=(const TemporaryStorage&) = delete;
  ~TemporaryStorage() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  const fs::path& make() { return path_ = new_temporary_storage(); }

 private:
  fs::path path_;
};

// The traffic log of --log, one line at a time from any thread; nothing without a file.
class TrafficLog {
 public:
  explicit TrafficLog(const std::string& file) {
    if (!file.empty()) out_.open(file, std::ios::app);
  }
  std::function<void(const std::string&)> writer() {
    if (!out_.is_open()) return nullptr;
    return [this](const std::string& text) {
      std::lock_guard lock(mutex_);
      out_ << text << std::endl;
    };
  }

 private:
  std::ofstream out_;
  std::mutex mutex_;
};

int serve_phone(lg81xx::sim::SimArguments& arguments, const sigset_t& stop_signals) {
  auto& phone = arguments.phone;
  auto& line = arguments.line;
  TemporaryStorage temporary;
  if (phone.storage.empty()) phone.storage = temporary.make();
  for (const auto& [folder, count] : arguments.many_entries)
    if (!lg81xx::sim::add_generated_entries(phone.storage / folder, count))
      throw std::runtime_error("cannot write the generated entries of " + folder);
  TrafficLog log(arguments.log_file);
  line.traffic_log = log.writer();
  lg81xx::sim::PtyPhone pty(phone, line);
  pty.with_phone([&faults = arguments.faults](lg81xx::sim::VirtualPhone& p) {
    p.set_faults(faults);  // before anyone connects
  });
  std::cout << pty.device_path() << std::endl;
  std::cerr << "lg81xx-sim: " << phone.model << " on " << pty.device_path() << ", storage " << phone.storage.string()
            << "\n";
  int signal = 0;
  sigwait(&stop_signals, &signal);
  return 0;
}

// Exit status 0 when the client sent every recorded request as recorded and nothing more.
int serve_replay(lg81xx::sim::SimArguments& arguments, const sigset_t& stop_signals) {
  lg81xx::SteadyClock clock;
  lg81xx::sim::ReplayPhone replay(std::move(*arguments.replay), arguments.replay_timing, clock);
  TrafficLog log(arguments.log_file);
  replay.on_log = log.writer();
  replay.on_report = [](const std::string& text) { std::cerr << "lg81xx-sim: " << text << std::endl; };
  lg81xx::sim::PtyReplay pty(replay);
  std::cout << pty.device_path() << std::endl;
  std::cerr << "lg81xx-sim: replaying " << arguments.replay_file << " (" << replay.requests() << " requests) on "
            << pty.device_path() << "\n";
  pty.serve([&stop_signals] {
    const timespec now{0, 0};
    return sigtimedwait(&stop_signals, nullptr, &now) > 0;
  });
  if (!replay.passed()) return 1;
  std::cerr << "lg81xx-sim: the session was replayed whole (" << replay.requests() << " requests)\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"lg81xx-sim: a virtual LG phone on a pseudo-terminal"};
  app.set_version_flag("--version", "lg81xx-sim " LG81XX_VERSION, "print the version and exit");
  lg81xx::sim::SimArguments arguments;
  lg81xx::sim::add_options(app, arguments);
  try {
    app.parse(argc, argv);
    lg81xx::sim::check_arguments(arguments);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }

  // The serving thread must not take the signals: block them before it starts, and before
  // anything is made that the end must remove.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stop_signals, s);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  try {
    return arguments.replay ? serve_replay(arguments, stop_signals) : serve_phone(arguments, stop_signals);
  } catch (const std::exception& e) {
    std::cerr << "lg81xx-sim: " << e.what() << "\n";
    return 1;
  }
}
