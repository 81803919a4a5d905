#include "command_line.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>

#include "generated_entries.h"
#include "phone/model_family.h"

namespace lg81xx::sim {
namespace {

namespace fs = std::filesystem;

const CLI::Validator kModel(
    [](const std::string& text) {
      return is_known_model(text) ? std::string{} : "the models are LG U8110, LG U8120, LG U8130, LG U8138";
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

// A whole number from `least` to `most`, said as people write it (CLI11's own ranges
// print the limits of a double).
CLI::Validator whole_number(long least, long most) {
  const std::string range = std::to_string(least) + " to " + std::to_string(most);
  return CLI::Validator(
      [least, most, range](const std::string& text) {
        long value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        const bool ok = error == std::errc{} && end == text.data() + text.size() && value >= least && value <= most;
        return ok ? std::string{} : "\"" + text + "\" is no whole number from " + range;
      },
      "N");
}

// Ceilings far beyond any use, so that a slip of the keyboard is said at once.
constexpr long kMostRequests = 1'000'000;
constexpr long kMostMilliseconds = 600'000;
constexpr long kMostRepeats = 1000;
constexpr long kMostBaud = 4'000'000;

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
      ->check(whole_number(-1, kMostRequests))
      ->capture_default_str();
  auto* fault_at =
      group->add_option("--fault-at", faults.fault_at, "the request (1 = the first) whose reply --fault spoils")
          ->check(whole_number(1, kMostRequests));
  auto* fault = group->add_option_function<std::string>(
      "--fault",
      [&faults](const std::string& name) {
        const auto kind = reply_fault_from(name);
        if (!kind || kind == ReplyFault::none) throw CLI::ValidationError("--fault", "unknown fault " + name);
        faults.fault = *kind;
      },
      "silence, garbage, wrong-code, truncated, overlong, refusal or hang-up");
  fault->needs(fault_at);
  fault_at->needs(fault);
  group->add_option("--from", faults.from, "the first request that pieces, delays and busy replies apply to")
      ->check(whole_number(1, kMostRequests))
      ->capture_default_str();
  auto* pieces =
      group->add_option("--pieces", faults.pieces, "send each reply in N pieces")->check(whole_number(1, kMostRepeats));
  group->add_option("--piece-gap", faults.piece_gap_ms, "milliseconds between two pieces of a reply")
      ->check(whole_number(0, kMostMilliseconds))
      ->needs(pieces);
  group->add_option("--delay", faults.delay_ms, "milliseconds before each reply")
      ->check(whole_number(0, kMostMilliseconds));
  group->add_option("--busy", faults.busy_downloads, "answer the next N downloads' GET busy")
      ->check(whole_number(0, kMostRepeats));
  group->add_option("--busy-listing", faults.busy_listings, "answer the next N folder listings busy")
      ->check(whole_number(0, kMostRepeats));
  group->add_option("--busy-upload", faults.busy_uploads, "answer the first frame of the next N uploads busy")
      ->check(whole_number(0, kMostRepeats));
}

// One option per field of PtyOptions: the line.
void add_line_options(CLI::App& app, PtyOptions& line) {
  app.add_option("--baud", line.baud, "pace the line to N baud (0: as fast as the terminal goes)")
      ->check(whole_number(0, kMostBaud))
      ->capture_default_str();
  app.add_option("--latency", line.latency_ms, "milliseconds the phone waits before each answer")
      ->check(whole_number(0, kMostMilliseconds))
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
  if (count < 1 || count > kMostGeneratedEntries) return std::nullopt;
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
               throw CLI::ValidationError("--many-entries",
                                          value + ": FOLDER:N, N from 1 to " + std::to_string(kMostGeneratedEntries));
             many[entry->first] = entry->second;
           }
         },
         "add N generated files (voce0001.txt ...) to FOLDER, for large listings; may be repeated")
      ->type_name("FOLDER:N")
      ->allow_extra_args(false);
}

// --replay FILE [--replay-timing]: the phone's side of a recorded session instead of the
// phone, so the options of the phone and the line do not go with it.
void add_replay_options(CLI::App& app, SimArguments& arguments) {
  std::vector<CLI::Option*> phone_options;  // every option so far but the help, the version and the log
  for (auto* option : app.get_options())
    if (option != app.get_help_ptr() && option != app.get_version_ptr() && option->get_name() != "--log")
      phone_options.push_back(option);
  auto* replay = app.add_option_function<std::string>(
      "--replay",
      [&arguments](const std::string& file) {
        std::string why;
        arguments.replay = read_recording(file, why);
        if (!arguments.replay) throw CLI::ValidationError("--replay", why);
        if (arguments.replay->requests.empty()) throw CLI::ValidationError("--replay", file + " holds no request");
        arguments.replay_file = file;
      },
      "replay the phone's side of the session recorded in FILE (a --trace of lg81xx-cli); exit 0 when the client "
      "sent every recorded request as recorded and nothing more");
  replay->type_name("FILE");
  for (auto* option : phone_options) replay->excludes(option);
  for (auto* group : app.get_subcommands({})) group->excludes(replay);
  app.add_flag("--replay-timing", arguments.replay_timing,
               "send each answer in the recorded pieces, after the recorded gaps (default: whole, at once)")
      ->needs(replay);
}

}  // namespace

void check_arguments(const SimArguments& arguments) {
  const auto& many = arguments.many_entries;
  const auto& model = arguments.phone.model;
  const auto folders = folder_names_of(family_of(model));
  for (const auto& [folder, count] : many)
    if (std::find(folders.begin(), folders.end(), folder) == folders.end())
      throw CLI::ValidationError("--many-entries", "no folder " + folder + " on the " + model);
}

void add_options(CLI::App& app, SimArguments& arguments) {
  add_phone_options(app, arguments.phone);
  add_fault_options(app, arguments.faults);
  add_line_options(app, arguments.line);
  add_storage_options(app, arguments.many_entries);
  app.add_option("--log", arguments.log_file, "append the traffic to FILE")->check(kWritableFile);
  add_replay_options(app, arguments);
}

}  // namespace lg81xx::sim
