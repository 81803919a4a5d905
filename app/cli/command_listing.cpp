// info and ls: what the connect shows, and the entries of a folder.
#include <fstream>

#include "commands.h"
#include "exit_status.h"
#include "json_text.h"
#include "name_escapes.h"
#include "shell/messages.h"

namespace lg81xx::cli {
namespace {

// Names as plain output shows them, joined by ", ".
std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& name : names) out += (out.empty() ? "" : ", ") + escaped_name(name);
  return out;
}

void print_info(std::ostream& out, const Form1& form, bool json) {
  if (json) {
    out << "{\"model\": " << json_string(form.model()) << ", \"imei\": " << json_string(form.imei())
        << ", \"info\": " << json_string(form.information()) << ", \"folders\": " << json_list(form.folders())
        << ", \"java\": " << json_list(form.entries()) << ", \"position\": " << json_string(form.position()) << "}\n";
    return;
  }
  out << "Model:       " << form.model() << "\n"
      << "IMEI:        " << form.imei() << "\n"
      << "Information: " << form.information() << "\n"
      << "Folders:     " << joined(form.folders()) << "\n"
      << "Java:        " << joined(form.entries()) << "\n"
      << "Position:    " << form.position() << "\n";
}

}  // namespace

int list_folder(Form1& form, const std::string& folder, std::ostream& err) {
  const auto& folders = form.folders();
  const auto it = std::find(folders.begin(), folders.end(), folder);
  if (it == folders.end()) {
    err << "lg81xx-cli: the phone has no folder \"" << escaped_name(folder)
        << "\"; its folders are: " << joined(folders) << "\n";
    return kBadInput;
  }
  form.select_folder(static_cast<int>(it - folders.begin()));
  return exit_status_for(form.open_folder());
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

std::optional<int> first_refusal(UserInterface& ui, std::initializer_list<std::optional<Refusal>> checks) {
  for (const auto& refused : checks) {
    if (!refused) continue;
    ui.message_box(refused->text, MessageStyle::critical, text::kErrorTitle);
    return exit_status_for(refused->result);
  }
  return std::nullopt;
}

int run_info(const GlobalOptions& options, Terminal& term, bool json) {
  CliUi ui(term.err, term.terminal);
  return run_connected(options, ui, term.err, [&](Session& session) {
    print_info(term.out, session.form(), json);
    return kSuccess;
  });
}

int run_ls(const GlobalOptions& options, Terminal& term, const std::string& folder, bool json) {
  CliUi ui(term.err, term.terminal);
  if (const auto refused = first_refusal(ui, {check_folder(options.model, folder)})) return *refused;
  return run_connected(options, ui, term.err, [&](Session& session) {
    Form1& form = session.form();
    if (const int status = list_folder(form, folder, term.err); status != kSuccess) return status;
    if (json) {
      term.out << "{\"folder\": " << json_string(folder) << ", \"entries\": " << json_list(form.entries()) << "}\n";
    } else {
      for (const auto& entry : form.entries()) term.out << escaped_name(entry) << "\n";
    }
    return static_cast<int>(kSuccess);
  });
}

}  // namespace lg81xx::cli
