// lg81xx-sim: a virtual LG phone on a pseudo-terminal. Prints the terminal's device path
// as the first line of standard output, then serves until SIGINT or SIGTERM.
#include <signal.h>
#include <stdlib.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>

#include "pty_phone.h"
#include "virtual_phone.h"

namespace {

using lg81xx::sim::PhoneOptions;
using lg81xx::sim::PtyOptions;

// One option per field of PhoneOptions: the phone's behaviour.
void add_phone_options(CLI::App& app, PhoneOptions& phone) {
  app.add_option("--model", phone.model, "phone model: LG U8110, LG U8120, LG U8130, LG U8138")
      ->capture_default_str();
  app.add_option("--storage", phone.storage,
                 "folder that holds the phone's folders (default: a new temporary folder)");
  app.add_option("--imei", phone.imei, "the IMEI the phone reports")->capture_default_str();
}

// One option per field of PtyOptions: the line.
void add_line_options(CLI::App& app, PtyOptions& line) {
  app.add_option("--baud", line.baud, "pace the line to N baud (0: as fast as the terminal goes)")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  app.add_option("--latency", line.latency_ms, "milliseconds the phone waits before each answer")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
}

std::filesystem::path new_temporary_storage() {
  std::string pattern = (std::filesystem::temp_directory_path() / "lg81xx-sim-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  return pattern;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"lg81xx-sim: a virtual LG phone on a pseudo-terminal"};
  PhoneOptions phone;
  PtyOptions line;
  std::string log_file;
  add_phone_options(app, phone);
  add_line_options(app, line);
  app.add_option("--log", log_file, "write the traffic to FILE");
  CLI11_PARSE(app, argc, argv);

  // The serving thread must not take the signals: block them before it starts.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  try {
    if (phone.storage.empty()) phone.storage = new_temporary_storage();
    std::ofstream log;
    std::mutex log_mutex;
    if (!log_file.empty()) {
      log.open(log_file, std::ios::app);
      if (!log) {
        std::cerr << "lg81xx-sim: cannot write " << log_file << "\n";
        return 1;
      }
      line.traffic_log = [&](const std::string& text) {
        std::lock_guard lock(log_mutex);
        log << text << std::endl;
      };
    }
    lg81xx::sim::PtyPhone pty(phone, line);
    std::cout << pty.device_path() << std::endl;
    std::cerr << "lg81xx-sim: " << phone.model << " on " << pty.device_path() << ", storage "
              << phone.storage.string() << "\n";
    int signal = 0;
    sigwait(&stop_signals, &signal);
  } catch (const std::exception& e) {
    std::cerr << "lg81xx-sim: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
