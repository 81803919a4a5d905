// info and ls: what the connect shows, and the entries of a folder.
#include <algorithm>
#include <fstream>

#include "base/name_escapes.h"
#include "commands.h"
#include "jobs/listing.h"
#include "json_text.h"

namespace lg81xx::cli {
namespace {

// Names as plain output shows them, joined by ", ".
std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& name : names) out += (out.empty() ? "" : ", ") + quoted_name(name);
  return out;
}

void print_info(std::ostream& out, const std::string& model, const PhoneFacts& facts, bool json) {
  const std::vector<std::string> java = facts.java ? facts.java->rows : std::vector<std::string>{};
  const std::string position = facts.java ? facts.java->position.value_or("") : "";
  if (json) {
    out << "{\"model\": " << json_string(model) << ", \"imei\": " << (facts.imei ? json_string(*facts.imei) : "null")
        << ", \"info\": " << json_string(facts.information) << ", \"folders\": " << json_list(facts.folders)
        << ", \"java\": " << json_list(java) << ", \"position\": " << json_string(position) << "}\n";
    return;
  }
  out << "Model:       " << model << "\n"
      << "IMEI:        " << (facts.imei ? escaped_name(*facts.imei) : "not read") << "\n"
      << "Information: " << escaped_name(facts.information) << "\n"
      << "Folders:     " << joined(facts.folders) << "\n"
      << "Java:        " << joined(java) << "\n"
      << "Position:    " << position << "\n";
}

}  // namespace

JobOutcome<std::vector<std::string>> list_phone_folder(Session& session, const PhoneFacts& facts,
                                                       const std::string& folder, TerminalListener& listener,
                                                       std::ostream& err) {
  if (std::find(facts.folders.begin(), facts.folders.end(), folder) == facts.folders.end()) {
    err << "lg81xx-cli: the phone has no folder \"" << escaped_name(folder)
        << "\"; its folders are: " << joined(facts.folders) << "\n";
    return {JobResult::bad_input, {}, {}};
  }
  auto listed = list_folder(session.jobs(), folder);
  if (listed.message) listener.print(*listed.message);
  return listed;
}

bool readable_file(const std::filesystem::path& path, std::ostream& err) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    err << "lg81xx-cli: " << path.string() << (std::filesystem::exists(path, ec) ? " is not a file" : " does not exist")
        << "\n";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    err << "lg81xx-cli: cannot read " << path.string() << "\n";
    return false;
  }
  return true;
}

std::optional<int> first_refusal(TerminalListener& listener, std::initializer_list<std::optional<Refusal>> checks) {
  for (const auto& refused : checks) {
    if (!refused) continue;
    listener.print(refused->message);
    return exit_status_for(refused->result);
  }
  return std::nullopt;
}

int run_info(const GlobalOptions& options, Terminal& term, bool json) {
  TerminalListener listener(term.err, term.terminal);
  return run_connected(options, listener, term.err, [&](Session&, const PhoneFacts& facts) {
    print_info(term.out, options.model, facts, json);
    return static_cast<int>(kSuccess);
  });
}

int run_ls(const GlobalOptions& options, Terminal& term, const std::string& folder, bool json) {
  TerminalListener listener(term.err, term.terminal);
  if (const auto refused = first_refusal(listener, {check_folder(options.model, folder)})) return *refused;
  return run_connected(options, listener, term.err, [&](Session& session, const PhoneFacts& facts) {
    const auto listed = list_phone_folder(session, facts, folder, listener, term.err);
    if (!listed.ok()) return static_cast<int>(exit_status_for(listed.result));
    if (json) {
      term.out << "{\"folder\": " << json_string(folder) << ", \"entries\": " << json_list(listed.value) << "}\n";
    } else {
      for (const auto& entry : listed.value) term.out << quoted_name(entry) << "\n";
    }
    return static_cast<int>(kSuccess);
  });
}

}  // namespace lg81xx::cli
