// get: download one entry of a folder to a file (or standard output), or several into a
// folder.
#include "base/name_escapes.h"
#include "commands.h"
#include "jobs/fetch.h"
#include "output_path.h"

namespace lg81xx::cli {
namespace {

// Why nothing can be saved at `path`: one line and the exit status of the save's problem.
int explain_destination(SaveResult problem, const std::filesystem::path& path, std::ostream& err) {
  const MessageId why = save_problem(problem);
  // The name alone where the name is the problem.
  const std::string subject = why == MessageId::name_too_long_for_folder ? path.filename().string() : path.string();
  err << "lg81xx-cli: " << english(why, {subject}) << "\n";
  return catalogue(why).exit;
}

// The same, found before anything is sent: kSuccess when it can be saved.
int refuse_destination(const std::filesystem::path& path, bool force, std::ostream& err) {
  LocalFiles files;
  const auto problem = destination_problem(files, path, force ? WhenExists::replace : WhenExists::keep);
  return problem ? explain_destination(*problem, path, err) : static_cast<int>(kSuccess);
}

// The exact entry `typed` names on the phone: the name a checked name as typed, or as ls
// shows it; a refusal when the phone can carry neither.
std::optional<Refusal> check_typed_name(const std::string& model, const std::string& typed) {
  std::optional<Refusal> refused = check_name(model, typed);
  if (const auto exact = unescaped_name(typed); refused && exact) refused = check_name(model, *exact);
  return refused;
}

// The entry that `typed` names in `listed`. A plain name the listing does not hold is not
// asked for: one line and bad_input. A path (../MessageTone/Message1.mid) is asked for as
// typed, as the phone lists no such entries.
std::optional<std::string> entry_to_fetch(const std::vector<std::string>& listed, const std::string& folder,
                                          const std::string& typed, TerminalListener& listener) {
  if (const auto entry = listed_entry(listed, typed)) return entry;
  if (typed.find('/') != std::string::npos) return typed;
  listener.print({MessageId::no_such_entry, ": " + quoted_name(folder + "/" + typed), {}});
  return std::nullopt;
}

// `entry` fetched whole to standard output, and nothing else written there.
int fetch_to_output(Session& session, TerminalListener& listener, const ObjectName& entry, std::ostream& out) {
  const auto fetched = fetch_entry(session.jobs(), entry);
  if (fetched.ok()) listener.progress_done();
  const int status = finish(listener, fetched);
  if (!fetched.ok()) return status;
  out.write(fetched.value.data(), static_cast<std::streamsize>(fetched.value.size()));
  out.flush();
  if (out) return status;
  listener.print({MessageId::file_write_failed, ": standard output", {}});
  return kLocalFile;
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
  TerminalListener listener(term.err, term.terminal);
  if (const auto refused =
          first_refusal(listener, {check_folder(options.model, folder), check_typed_name(options.model, typed)}))
    return *refused;
  if (output == kStandardOutput)
    return run_connected(options, listener, term.err, [&](Session& session, const PhoneFacts& facts) {
      const auto listed = list_phone_folder(session, facts, folder, listener, term.err);
      if (!listed.ok()) return static_cast<int>(exit_status_for(listed.result));
      const auto entry = entry_to_fetch(listed.value, folder, typed, listener);
      return entry ? fetch_to_output(session, listener, {folder, *entry}, term.out) : static_cast<int>(kBadInput);
    });
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
  listener.answer_questions(force, "--force");  // a file that appeared during the transfer
  return run_connected(options, listener, term.err, [&](Session& session, const PhoneFacts& facts) {
    const auto listed = list_phone_folder(session, facts, folder, listener, term.err);
    if (!listed.ok()) return static_cast<int>(exit_status_for(listed.result));
    const auto found = entry_to_fetch(listed.value, folder, typed, listener);
    if (!found) return static_cast<int>(kBadInput);
    const std::string& entry = *found;
    const auto saved = output_path_for(entry, output, cwd);
    if (saved.path.empty()) {
      term.err << "lg81xx-cli: " << saved.error << "\n";
      return static_cast<int>(saved.bad_name ? kBadInput : kLocalFile);
    }
    if (saved.path != target.path)
      if (const int status = refuse_destination(saved.path, force, term.err); status != kSuccess) return status;
    const auto fetched = fetch_to_file(session.jobs(), {{folder, entry}, saved.path, WhenExists::ask});
    if (fetched.ok()) listener.progress_done();
    const int status = finish(listener, fetched);
    if (fetched.ok()) term.out << escaped_name(saved.path.string()) << " (" << fetched.value << " bytes)\n";
    return status;
  });
}

int run_get_several(const GlobalOptions& options, Terminal& term, const std::string& folder,
                    const std::vector<std::string>& typed, const std::filesystem::path& dir, bool force) {
  TerminalListener listener(term.err, term.terminal);
  if (const auto refused = first_refusal(listener, {check_folder(options.model, folder)})) return *refused;
  for (const auto& name : typed)
    if (const auto refused = first_refusal(listener, {check_typed_name(options.model, name)})) return *refused;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (!std::filesystem::is_directory(dir, ec)) {
    term.err << "lg81xx-cli: the folder " << dir.string() << " cannot be made\n";
    return kLocalFile;
  }
  listener.answer_questions(force, "--force");
  return run_connected(options, listener, term.err, [&](Session& session, const PhoneFacts& facts) {
    const auto listed = list_phone_folder(session, facts, folder, listener, term.err);
    if (!listed.ok()) return static_cast<int>(exit_status_for(listed.result));
    std::vector<std::string> entries = listed.value;  // --all: every entry the folder lists
    std::vector<std::string> failed;
    if (!typed.empty()) {
      entries.clear();
      for (const auto& name : typed) {
        if (const auto entry = entry_to_fetch(listed.value, folder, name, listener))
          entries.push_back(*entry);
        else
          failed.push_back(quoted_name(name));
      }
    }
    const std::size_t absent = failed.size();
    std::size_t saved = 0;
    const Family family = session.jobs().phone().family();
    // Each entry as the single get saves it: a safe name in DIR, complete or not at all.
    const auto done =
        entries.empty()
            ? JobOutcome<std::vector<EntryFetched>>{}
            : fetch_entries(session.jobs(), {folder, entries, dir, WhenExists::ask}, [&](const EntryFetched& e) {
                if (e.result == JobResult::ok) {
                  ++saved;
                  term.out << escaped_name(e.path.string()) << " (" << e.size << " bytes)\n";
                  return;
                }
                if (e.path.empty())
                  term.err << "lg81xx-cli: " << english(MessageId::unusable_name, {escaped_name(e.entry)}) << "\n";
                else if (e.result == JobResult::local_file)
                  explain_destination(e.saved, e.path, term.err);
                failed.push_back(quoted_name(e.entry));
                term.err << "lg81xx-cli: " << failed.back() << " not saved (" << why_not_saved(e, family) << ")\n";
              });
    const std::size_t missing = absent + entries.size() - saved;
    term.err << english(MessageId::downloads_saved, {std::to_string(saved), std::to_string(missing)});
    for (std::size_t i = 0; i < failed.size(); ++i) term.err << (i == 0 ? ": " : ", ") << failed[i];
    if (missing > failed.size()) term.err << " and " << missing - failed.size() << " " << english(MessageId::not_tried);
    term.err << "\n";
    if (done.ok() && absent > 0) return static_cast<int>(kBadInput);  // the first failure: found by the listing
    return static_cast<int>(exit_status_for(done.result));
  });
}

}  // namespace lg81xx::cli
