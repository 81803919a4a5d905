// lg81xx-sim: a virtual LG phone on a pseudo-terminal. Prints the terminal's device path
// as the first line of standard output, then serves until SIGINT, SIGTERM or SIGHUP. A
// storage folder it made itself is removed when it ends.
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>

#include "generated_entries.h"
#include "pty_phone.h"
#include "shell/model_family.h"
#include "virtual_phone.h"

namespace {

namespace fs = std::filesystem;
using lg81xx::sim::Faults;
using lg81xx::sim::PhoneOptions;
using lg81xx::sim::PtyOptions;

const CLI::Validator kModel(
    [](const std::string& text) {
      return lg81xx::is_known_model(text) ? std::string{} : "the models are LG U8110, LG U8120, LG U8130, LG U8138";
    },
    "MODEL");

const CLI::Validator kImei(
    [](const std::string& text) {
      const bool digits = std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
      return text.size() == 15 && digits ? std::string{} : "an IMEI is 15 digits";
    },
    "15DIGITS");

// A folder the phone can keep its files in: an existing writable folder, or one that can
// be made.
const CLI::Validator kStorage(
    [](const std::string& text) {
      std::error_code ec;
      fs::create_directories(text, ec);
      if (!fs::is_directory(text, ec)) return "cannot make a folder " + text;
      if (::access(text.c_str(), W_OK | X_OK) != 0) return "cannot write into " + text;
      return std::string{};
    },
    "DIR");

const CLI::Validator kWritableFile(
    [](const std::string& text) {
      std::ofstream probe(text, std::ios::app);
      return probe ? std::string{} : "cannot write " + text;
    },
    "FILE");

// One option per field of PhoneOptions: the phone's behaviour.
void add_phone_options(CLI::App& app, PhoneOptions& phone) {
  app.add_option("--model", phone.model, "phone model: LG U8110, LG U8120, LG U8130, LG U8138")
      ->check(kModel)
      ->capture_default_str();
  app.add_option("--storage", phone.storage,
                 "folder that holds the phone's folders (default: a new temporary folder, removed at the end)")
      ->check(kStorage);
  app.add_option("--imei", phone.imei, "the 15 digits the phone reports as its IMEI")
      ->check(kImei)
      ->capture_default_str();
}

// One option per field of Faults (docs/virtual-phone.md, "Faults").
void add_fault_options(CLI::App& app, Faults& faults) {
  auto* group = app.add_option_group("Faults");
  group->add_option("--silent-after", faults.silent_after, "answer N requests, then nothing more (-1: never)")
      ->check(CLI::Range(-1, 1'000'000))
      ->capture_default_str();
  auto* fault_at = group->add_option("--fault-at", faults.fault_at, "the request (1 = the first) whose reply --fault spoils")
                       ->check(CLI::PositiveNumber);
  auto* fault = group->add_option_function<std::string>(
      "--fault",
      [&faults](const std::string& name) {
        const auto kind = lg81xx::sim::reply_fault_from(name);
        if (!kind || kind == lg81xx::sim::ReplyFault::none) throw CLI::ValidationError("--fault", "unknown fault " + name);
        faults.fault = *kind;
      },
      "silence, garbage, wrong-code, truncated, overlong, refusal or hang-up");
  fault->needs(fault_at);
  fault_at->needs(fault);
  group->add_option("--from", faults.from, "the first request that pieces, delays and busy replies apply to")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  auto* pieces = group->add_option("--pieces", faults.pieces, "send each reply in N pieces")->check(CLI::PositiveNumber);
  group->add_option("--piece-gap", faults.piece_gap_ms, "milliseconds between two pieces of a reply")
      ->check(CLI::NonNegativeNumber)
      ->needs(pieces);
  group->add_option("--delay", faults.delay_ms, "milliseconds before each reply")->check(CLI::NonNegativeNumber);
  group->add_option("--busy", faults.busy_downloads, "answer the next N downloads' GET busy")
      ->check(CLI::NonNegativeNumber);
  group->add_option("--busy-listing", faults.busy_listings, "answer the next N folder listings busy")
      ->check(CLI::NonNegativeNumber);
  group->add_option("--busy-upload", faults.busy_uploads, "answer the first frame of the next N uploads busy")
      ->check(CLI::NonNegativeNumber);
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

// "FOLDER:N" with N from 1 to the most a listing holds.
std::optional<std::pair<std::string, int>> folder_and_count(const std::string& value) {
  const auto colon = value.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  const std::string digits = value.substr(colon + 1);
  if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const int count = std::stoi(digits);
  if (count < 1 || count > lg81xx::sim::kMostGeneratedEntries) return std::nullopt;
  return std::pair{value.substr(0, colon), count};
}

// --many-entries FOLDER:N, any number of times; the folders are checked against the model
// once every option is read.
void add_storage_options(CLI::App& app, std::map<std::string, int>& many) {
  app.add_option_function<std::vector<std::string>>(
         "--many-entries",
         [&many](const std::vector<std::string>& values) {
           for (const auto& value : values) {
             const auto entry = folder_and_count(value);
             if (!entry)
               throw CLI::ValidationError("--many-entries", value + ": FOLDER:N, N from 1 to " +
                                                                std::to_string(lg81xx::sim::kMostGeneratedEntries));
             many[entry->first] = entry->second;
           }
         },
         "add N generated files (voce0001.txt ...) to FOLDER, for large listings; may be repeated")
      ->type_name("FOLDER:N")
      ->allow_extra_args(false);
}

void check_folders(const std::map<std::string, int>& many, const std::string& model) {
  const auto folders = lg81xx::sim::folder_names_of(lg81xx::family_of(model));
  for (const auto& [folder, count] : many)
    if (std::find(folders.begin(), folders.end(), folder) == folders.end())
      throw CLI::ValidationError("--many-entries", "no folder " + folder + " on the " + model);
}

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
  PhoneOptions phone;
  PtyOptions line;
  Faults faults;
  std::map<std::string, int> many_entries;
  std::string log_file;
  add_phone_options(app, phone);
  add_fault_options(app, faults);
  add_line_options(app, line);
  add_storage_options(app, many_entries);
  app.add_option("--log", log_file, "append the traffic to FILE")->check(kWritableFile);
  try {
    app.parse(argc, argv);
    check_folders(many_entries, phone.model);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }

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
