// get: download one entry of a folder, or several (a backup), through the File Manager's
// DownLoad button.
#include "commands.h"
#include "exit_status.h"
#include "name_escapes.h"
#include "output_path.h"
#include "platform/files.h"

namespace lg81xx::cli {
namespace {

// Why the download cannot be saved at `path`, as `result` says: one line and the exit
// status; kSuccess when it can be saved.
int explain_destination(SaveResult result, const std::filesystem::path& path, std::ostream& err) {
  const std::string name = path.string();
  switch (result) {
    case SaveResult::ok: return kSuccess;
    case SaveResult::exists:
      err << "lg81xx-cli: " << name << " already exists; --force replaces it\n";
      return kBadInput;
    case SaveResult::name_too_long:
      err << "lg81xx-cli: the name " << path.filename().string() << " is too long for its folder; choose one with -o\n";
      return kBadInput;
    case SaveResult::not_a_file:
      err << "lg81xx-cli: " << name << " is not a regular file and is never replaced\n";
      break;
    case SaveResult::is_folder: err << "lg81xx-cli: " << name << " is a folder\n"; break;
    case SaveResult::no_folder: err << "lg81xx-cli: the output folder of " << name << " does not exist\n"; break;
    case SaveResult::folder_not_writable:
      err << "lg81xx-cli: no file can be made in the folder of " << name << "\n";
      break;
    case SaveResult::failed: err << "lg81xx-cli: " << name << " cannot be saved\n"; break;
  }
  return kLocalFile;
}

// The same, found before anything is sent.
int refuse_destination(const std::filesystem::path& path, bool force, std::ostream& err) {
  return explain_destination(LocalFiles().check_save(path, force ? Replace::regular_file : Replace::never), path, err);
}

// The exact entry `typed` names on the phone: the name a checked name as typed, or as ls
// shows it; a refusal when the phone can carry neither.
std::optional<Refusal> check_typed_name(const std::string& model, const std::string& typed) {
  std::optional<Refusal> refused = check_name(model, typed);
  if (const auto exact = unescaped_name(typed); refused && exact) refused = check_name(model, *exact);
  return refused;
}

}  // namespace

int run_get(const GlobalOptions& options, Terminal& term, const std::string& folder, const std::string& typed,
            const std::optional<std::filesystem::path>& output, bool force) {
  if (typed.empty()) {
    term.err << "lg81xx-cli: name the entry to download\n";
    return kBadInput;
  }
  // The entry may be typed as plain ls shows it (escaped) or as its exact text; a name
  // that gives no file name either way is refused before anything is sent.
  std::error_code ec;
  const auto cwd = std::filesystem::current_path(ec);
  auto target = output_path_for(typed, output, cwd);
  if (target.path.empty() && target.bad_name)
    target = output_path_for(unescaped_name(typed).value_or(typed), output, cwd);
  if (target.path.empty()) {
    term.err << "lg81xx-cli: " << target.error << "\n";
    return target.bad_name ? kBadInput : kLocalFile;
  }
  if (const int status = refuse_destination(target.path, force, term.err); status != kSuccess) return status;
  CliUi ui(term.err, term.terminal);
  if (const auto refused =
          first_refusal(ui, {check_folder(options.model, folder), check_typed_name(options.model, typed)}))
    return *refused;
  ui.answer_questions(force, "--force");  // a file that appeared during the transfer
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
    if (saved.path != target.path)
      if (const int status = refuse_destination(saved.path, force, term.err); status != kSuccess) return status;
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

int run_backup(const GlobalOptions& options, Terminal& term, const std::string& folder,
               const std::vector<std::string>& typed, const std::filesystem::path& dir, bool force) {
  CliUi ui(term.err, term.terminal);
  if (const auto refused = first_refusal(ui, {check_folder(options.model, folder)})) return *refused;
  for (const auto& name : typed)
    if (const auto refused = first_refusal(ui, {check_typed_name(options.model, name)})) return *refused;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (!std::filesystem::is_directory(dir, ec)) {
    term.err << "lg81xx-cli: the folder " << dir.string() << " cannot be made\n";
    return kLocalFile;
  }
  ui.answer_questions(force, "--force");
  return run_connected(options, ui, term.err, [&](Session& session) {
    Form1& form = session.form();
    if (const int status = list_folder(form, folder, term.err); status != kSuccess) return status;
    std::vector<std::string> entries = form.entries();  // --all: every entry the folder lists
    if (!typed.empty()) {
      entries.clear();
      for (const auto& name : typed) entries.push_back(listed_entry(form.entries(), name).value_or(name));
    }
    int status = kSuccess;
    std::vector<std::string> failed;
    std::size_t saved = 0;
    // Each entry as the single get saves it: a safe name in DIR, complete or not at all.
    form.download_into(folder, entries, dir, [&](const EntrySaved& done) {
      if (done.result == JobResult::ok) {
        ++saved;
        term.out << escaped_name(done.path.string()) << " (" << std::filesystem::file_size(done.path, ec)
                 << " bytes)\n";
        return;
      }
      if (done.path.empty())
        term.err << "lg81xx-cli: the entry name \"" << escaped_name(done.entry) << "\" gives no usable file name\n";
      else if (done.result == JobResult::local_file)
        explain_destination(done.saved, done.path, term.err);
      failed.push_back(escaped_name(done.entry));
      term.err << "lg81xx-cli: " << failed.back() << " not saved (" << why_not_saved(done, form.phone().family())
               << ")\n";
      const int result = exit_status_for(done.result);
      if (status == kSuccess || done.result == JobResult::interrupted) status = result;
    });
    const std::size_t missing = entries.size() - saved;
    term.err << saved << " saved, " << missing << " failed";
    for (std::size_t i = 0; i < failed.size(); ++i) term.err << (i == 0 ? ": " : ", ") << failed[i];
    if (missing > failed.size()) term.err << " and " << missing - failed.size() << " not tried";
    term.err << "\n";
    return status;
  });
}

}  // namespace lg81xx::cli
