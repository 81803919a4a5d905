// get: download one entry of a folder through the File Manager's DownLoad button.
#include "commands.h"
#include "exit_status.h"
#include "output_path.h"

namespace lg81xx::cli {

int run_get(const GlobalOptions& options, Terminal& term, const std::string& folder, const std::string& entry,
            const std::optional<std::filesystem::path>& output) {
  if (entry.empty()) {
    term.err << "lg81xx-cli: name the entry to download\n";
    return kBadInput;
  }
  std::error_code ec;
  const auto target = output_path_for(entry, output, std::filesystem::current_path(ec));
  if (target.path.empty()) {
    term.err << "lg81xx-cli: " << target.error << "\n";
    return target.bad_name ? kBadInput : kLocalFile;
  }
  CliUi ui(term.err, term.terminal);
  ui.answer_save_dialog(target.path);
  return run_connected(options, ui, term.err, [&](Session& session) {
    Form1& form = session.form();
    if (const int status = list_folder(form, folder, term.err); status != kSuccess) return status;
    // An entry the listing does not show is asked for all the same: the phone says
    // whether it has it (paths such as ../MessageTone/Message1.mid are not listed).
    const int status = exit_status_for(form.download_named(folder, entry));
    if (status == kSuccess) {
      const auto size = std::filesystem::file_size(target.path, ec);
      if (ec) {
        term.err << "lg81xx-cli: the download did not save " << target.path.string() << "\n";
        return static_cast<int>(kLocalFile);
      }
      term.out << target.path.string() << " (" << size << " bytes)\n";
    }
    return status;
  });
}

}  // namespace lg81xx::cli
