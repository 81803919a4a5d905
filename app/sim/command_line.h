#pragma once
// lg81xx-sim's command line: one option per field of PhoneOptions, Faults and PtyOptions,
// plus the storage extras, or a recorded session to replay instead of the phone. Bad
// arguments are refused by CLI11, with its exit status.
#include <CLI/CLI.hpp>
#include <map>
#include <optional>
#include <string>

#include "faults.h"
#include "pty_phone.h"
#include "replay.h"
#include "virtual_phone.h"

namespace lg81xx::sim {

struct SimArguments {
  PhoneOptions phone;
  PtyOptions line;
  Faults faults;
  std::map<std::string, int> many_entries;  // folder -> generated entries
  std::string log_file;
  // --replay FILE: the session recorded in FILE instead of the phone.
  std::optional<RecordedSession> replay;
  std::string replay_file;
  bool replay_timing = false;
};

void add_options(CLI::App& app, SimArguments& arguments);
// What can only be checked once every option is read; throws CLI::ValidationError.
void check_arguments(const SimArguments& arguments);

}  // namespace lg81xx::sim
