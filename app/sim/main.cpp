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
  app.add_option("--busy", phone.busy_replies, "answer the first N downloads' GET with a 5-byte busy reply")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
}

// One option per field of Faults (docs/virtual-phone.md, "Faults").
void add_fault_options(CLI::App& app, lg81xx::sim::Faults& faults) {
  auto* group = app.add_option_group("Faults");
  group->add_option("--silent-after", faults.silent_after, "answer N requests, then nothing more (-1: never)")
      ->capture_default_str();
  group->add_option("--fault-at", faults.fault_at, "the request (1 = the first) whose reply --fault spoils")
      ->check(CLI::NonNegativeNumber);
  group
      ->add_option_function<std::string>(
          "--fault",
          [&faults](const std::string& name) {
            const auto fault = lg81xx::sim::reply_fault_from(name);
            if (!fault) throw CLI::ValidationError("--fault", "unknown fault " + name);
            faults.fault = *fault;
          },
          "silence, garbage, wrong-code, truncated, overlong, refusal or hang-up");
  group->add_option("--pieces", faults.pieces, "send each reply in N pieces")->check(CLI::PositiveNumber);
  group->add_option("--piece-gap", faults.piece_gap_ms, "milliseconds between two pieces of a reply")
      ->check(CLI::NonNegativeNumber);
  group->add_option("--delay", faults.delay_ms, "milliseconds before each reply")->check(CLI::NonNegativeNumber);
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
  app.set_version_flag("--version", "lg81xx-sim " LG81XX_VERSION, "print the version and exit");
  PhoneOptions phone;
  PtyOptions line;
  std::string log_file;
  add_phone_options(app, phone);
  lg81xx::sim::Faults faults;
  add_fault_options(app, faults);
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
    pty.with_phone([&](lg81xx::sim::VirtualPhone& p) { p.set_faults(faults); });  // before anyone connects
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
