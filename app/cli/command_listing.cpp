// info and ls: what the connect shows, and the entries of a folder.
#include <fstream>

#include "commands.h"
#include "exit_status.h"
#include "json_text.h"

namespace lg81xx::cli {
namespace {

std::string joined(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : ", ") + item;
  return out;
}

void print_info(std::ostream& out, const Form1& form, bool json) {
  if (json) {
    out << "{\"model\": " << json_string(form.Combo1.text) << ", \"imei\": " << json_string(form.Label3.caption)
        << ", \"info\": " << json_string(form.Label4.caption) << ", \"folders\": " << json_list(form.List1.items)
        << ", \"java\": " << json_list(form.List2.items) << ", \"position\": " << json_string(form.Text1.text)
        << "}\n";
    return;
  }
  out << "Model:       " << form.Combo1.text << "\n"
      << "IMEI:        " << form.Label3.caption << "\n"
      << "Information: " << form.Label4.caption << "\n"
      << "Folders:     " << joined(form.List1.items) << "\n"
      << "Java:        " << joined(form.List2.items) << "\n"
      << "Position:    " << form.Text1.text << "\n";
}

}  // namespace

bool list_folder(Form1& form, const std::string& folder, std::ostream& err) {
  const auto& folders = form.List1.items;
  const auto it = std::find(folders.begin(), folders.end(), folder);
  if (it == folders.end()) {
    err << "lg81xx-cli: the phone has no folder \"" << folder << "\"; its folders are: " << joined(folders) << "\n";
    return false;
  }
  form.List1.list_index = static_cast<int>(it - folders.begin());
  form.last_result = JobResult::none;
  form.List1_DblClick();
  return true;
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

int run_info(const GlobalOptions& options, Terminal& term, bool json) {
  CliUi ui(term.err, term.terminal);
  return run_connected(options, ui, term.err, [&](Session& session) {
    print_info(term.out, session.form(), json);
    return kSuccess;
  });
}

int run_ls(const GlobalOptions& options, Terminal& term, const std::string& folder, bool json) {
  CliUi ui(term.err, term.terminal);
  return run_connected(options, ui, term.err, [&](Session& session) {
    Form1& form = session.form();
    if (!list_folder(form, folder, term.err)) return static_cast<int>(kBadInput);
    const int status = job_status(form);
    if (status != kSuccess) return status;
    if (json) {
      term.out << "{\"folder\": " << json_string(folder) << ", \"entries\": " << json_list(form.List2.items) << "}\n";
    } else {
      for (const auto& entry : form.List2.items) term.out << entry << "\n";
    }
    return status;
  });
}

}  // namespace lg81xx::cli
