// install, sound and probe: the jobs of the "Applicazioni JAVA" and "SUONI di Sistema" tabs.
#include "arguments.h"
#include "commands.h"
#include "exit_status.h"
#include "name_escapes.h"

namespace lg81xx::cli {

int run_install(const GlobalOptions& options, Terminal& term, const std::filesystem::path& jad,
                const std::filesystem::path& jar, const std::optional<std::string>& position, bool nokia,
                bool replace) {
  if (position && !is_valid_position(*position)) {
    term.err << "lg81xx-cli: the position must be two digits from 00 to 64, not \"" << *position << "\"\n";
    return kBadInput;
  }
  if (!readable_file(jad, term.err) || !readable_file(jar, term.err)) return kLocalFile;
  CliUi ui(term.err, term.terminal);
  ui.answer_questions(replace, "--replace");
  // "Carica JAD e JAR" before the connect, so that files that cannot be installed are
  // refused before the phone is asked anything: the two dialogs take the JAD, then the JAR.
  const auto load = [&](Session& session) {
    Form1& form = session.form();
    ui.answer_open_dialogs({jad, jar});
    form.set_nokia(nokia);
    if (const int status = exit_status_for(form.load_application()); status != kSuccess) return status;
    if (form.descriptor().empty() && form.archive().empty()) {
      term.err << "lg81xx-cli: the JAD and JAR files were not loaded\n";
      return static_cast<int>(kLocalFile);
    }
    return static_cast<int>(kSuccess);
  };
  return run_connected(
      options, ui, term.err,
      [&](Session& session) {
        Form1& form = session.form();
        if (!position && form.position().empty()) {  // the connect said why: the folder is full
          term.err << "lg81xx-cli: no free position to propose; --position with --replace replaces an application\n";
          return static_cast<int>(kBadInput);
        }
        if (position) form.set_position_text(*position);
        const std::string at = form.position();                          // the install proposes the next one
        const int status = exit_status_for(form.install_application());  // "INVIA"
        if (status == kSuccess)
          term.out << "installed " << jad.filename().string() << " and " << jar.filename().string()
                   << " in Java at position " << at << "\n";
        return status;
      },
      load);
}

int run_sound(const GlobalOptions& options, Terminal& term, const std::string& sound,
              const std::filesystem::path& file) {
  const SoundRow* row = sound_row(sound);
  if (row == nullptr) {
    term.err << "lg81xx-cli: unknown sound \"" << sound << "\"; the sounds are " << sound_names() << "\n";
    return kBadInput;
  }
  if (!readable_file(file, term.err)) return kLocalFile;
  CliUi ui(term.err, term.terminal);
  if (const auto refused = first_refusal(ui, {check_content(LocalFiles().read_all(file))})) return *refused;
  return run_connected(options, ui, term.err, [&](Session& session) {
    Form1& form = session.form();
    form.select_sound(row->control);
    ui.answer_open_dialogs({file});
    const int status = exit_status_for(form.replace_sound());  // "Carica Nuovo Suono"
    if (status == kSuccess)
      term.out << "replaced " << row->control << " (" << row->caption << ", .." << row->path << ") with "
               << file.filename().string() << "\n";
    return status;
  });
}

int run_put(const GlobalOptions& options, Terminal& term, const std::string& folder, const std::filesystem::path& file,
            const std::optional<std::string>& as, bool replace) {
  if (!readable_file(file, term.err)) return kLocalFile;
  const std::string name = as.value_or(file.filename().string());
  const auto content = LocalFiles().read_all(file);
  CliUi ui(term.err, term.terminal);
  ui.answer_questions(replace, "--replace");
  if (const auto refused = first_refusal(
          ui, {check_folder(options.model, folder), check_content(content), check_new_name(options.model, name)}))
    return *refused;
  return run_connected(options, ui, term.err, [&](Session& session) {
    const int status = exit_status_for(session.form().send_named(folder, name, *content));
    if (status == kSuccess)
      term.out << "sent " << file.filename().string() << " to " << folder << " as " << escaped_name(name) << " ("
               << content->size() << " bytes)\n";
    return status;
  });
}

int run_probe(const GlobalOptions& options, Terminal& term) {
  CliUi ui(term.err, term.terminal);
  return run_connected(options, ui, term.err, [&](Session& session) {
    const int status = exit_status_for(session.form().probe_message_tone());
    if (status == kSuccess) term.out << "the phone accepted the read probe of ../MessageTone/Message1.mid\n";
    return status;
  });
}

}  // namespace lg81xx::cli
