// lg81xx-sim: a virtual LG phone on a pseudo-terminal. Prints the terminal's device path
// as the first line of standard output, then serves until SIGINT, SIGTERM or SIGHUP. A
// storage folder it made itself is removed when it ends.
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>

#include "command_line.h"
#include "generated_entries.h"

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
  auto& [phone, line, faults, many_entries, log_file] = arguments;

  // The serving thread must not take the signals: block them before it starts, and before
  // anything is made that the end must remove.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stop_signals, s);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  TemporaryStorage temporary;
  try {
    if (phone.storage.empty()) phone.storage = temporary.make();
    for (const auto& [folder, count] : many_entries)
      if (!lg81xx::sim::add_generated_entries(phone.storage / folder, count))
        throw std::runtime_error("cannot write the generated entries of " + folder);
    std::ofstream log;
    std::mutex log_mutex;
    if (!log_file.empty()) {
      log.open(log_file, std::ios::app);
      line.traffic_log = [&](const std::string& text) {
        std::lock_guard lock(log_mutex);
        log << text << std::endl;
      };
    }
    lg81xx::sim::PtyPhone pty(phone, line);
    pty.with_phone(
        [&faults = faults](lg81xx::sim::VirtualPhone& p) { p.set_faults(faults); });  // before anyone connects
    std::cout << pty.device_path() << std::endl;
    std::cerr << "lg81xx-sim: " << phone.model << " on " << pty.device_path() << ", storage " << phone.storage.string()
              << "\n";
    int signal = 0;
    sigwait(&stop_signals, &signal);
  } catch (const std::exception& e) {
    std::cerr << "lg81xx-sim: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
