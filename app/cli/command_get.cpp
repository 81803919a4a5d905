// get: download one entry of a folder through the File Manager's DownLoad button.
#include "commands.h"
#include "exit_status.h"
#include "name_escapes.h"
#include "output_path.h"

namespace lg81xx::cli {

int run_get(const GlobalOptions& options, Terminal& term, const std::string& folder, const std::string& typed,
            const std::optional<std::filesystem::path>& output) {
  if (typed.empty()) {
    term.err << "lg81xx-cli: name the entry to download\n";
    return kBadInput;
  }
  // The entry may be typed as plain ls shows it (escaped) or as its exact text; a name
  // that gives no file name either way is refused before anything is sent.
  std::error_code ec;
  const auto cwd = std::filesystem::current_path(ec);
  auto target = output_path_for(typed, output, cwd);
  if (target.path.empty() && target.bad_name) target = output_path_for(unescaped_name(typed).value_or(typed), output, cwd);
  if (target.path.empty()) {
    term.err << "lg81xx-cli: " << target.error << "\n";
    return target.bad_name ? kBadInput : kLocalFile;
  }
  CliUi ui(term.err, term.terminal);
  // The phone must be able to carry the name as typed or as ls shows it.
  std::optional<Refusal> refused_name = check_name(options.model, typed);
  if (const auto exact = unescaped_name(typed); refused_name && exact) refused_name = check_name(options.model, *exact);
  if (const auto refused = first_refusal(ui, {check_folder(options.model, folder), refused_name})) return *refused;
  return run_connected(options, ui, term.err, [&](Session& session) {
    Form1& form = session.form();
    if (const int status = list_folder(form, folder, term.err); status != kSuccess) return status;
    // An entry the listing does not show is asked for all the same, as typed: the phone
    // says whether it has it (paths such as ../MessageTone/Message1.mid are not listed).
    const std::string entry = listed_entry(form.entries(), typed).value_or(typed);
    const auto saved = output_path_for(entry, output, cwd);
    if (saved.path.empty()) {
      term.err << "lg81xx-cli: " << saved.error << "\n";
      return static_cast<int>(saved.bad_name ? kBadInput : kLocalFile);
    }
    ui.answer_save_dialog(saved.path);
    const int status = exit_status_for(form.download_named(folder, entry));
    if (status == kSuccess) {
      const auto size = std::filesystem::file_size(saved.path, ec);
      if (ec) {
        term.err << "lg81xx-cli: the download did not save " << saved.path.string() << "\n";
        return static_cast<int>(kLocalFile);
      }
      term.out << escaped_name(saved.path.string()) << " (" << size << " bytes)\n";
    }
    return status;
  });
}

}  // namespace lg81xx::cli
