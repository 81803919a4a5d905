// install, sound, put and probe: the jobs of the "Applicazioni JAVA" and "SUONI di Sistema"
// tabs, and sending a file.
#include "arguments.h"
#include "base/name_escapes.h"
#include "commands.h"
#include "jobs/application.h"
#include "jobs/connect.h"
#include "jobs/send.h"
#include "jobs/sounds.h"
#include "phone/sound_table.h"

namespace lg81xx::cli {
namespace {

// A file to send, read into `content` and checked: too large is refused before it is read
// (it would fill the memory), then unreadable or empty. Its refusal, shown, as an exit status.
std::optional<int> read_to_send(TerminalListener& listener, const std::filesystem::path& file,
                                std::optional<Bytes>& content) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(file, ec);
  if (const auto refused = first_refusal(listener, {check_file_size(ec ? 0 : size)})) return refused;
  content = LocalFiles().read_all(file);
  return first_refusal(listener, {check_content(content)});
}

}  // namespace

int run_install(const GlobalOptions& options, Terminal& term, const std::filesystem::path& jad,
                const std::filesystem::path& jar, const std::optional<std::string>& position, bool nokia,
                bool replace) {
  if (position && !is_valid_position(*position)) {
    term.err << "lg81xx-cli: the position must be two digits from 00 to 64, not \"" << *position << "\"\n";
    return kBadInput;
  }
  if (!readable_file(jad, term.err) || !readable_file(jar, term.err)) return kLocalFile;
  TerminalListener listener(term.err, term.terminal);
  listener.answer_questions(replace, "--replace");
  // The files are read and checked before the connect, so that files that cannot be
  // installed are refused before the phone is asked anything.
  ApplicationPair application;
  const auto load = [&](Session& session) {
    auto loaded = load_application(session.jobs(), {jad, jar, nokia, session.home()});
    application = std::move(loaded.value);
    return finish(listener, loaded);
  };
  return run_connected(
      options, listener, term.err,
      [&](Session& session, const PhoneFacts& facts) {
        const JavaList java = facts.java.value_or(JavaList{});
        if (!position && !java.position) {  // the connect said why: the folder is full
          term.err << "lg81xx-cli: no free position to propose; --position with --replace replaces an application\n";
          return static_cast<int>(kBadInput);
        }
        listener.forget_started();
        const auto installed = install_application(
            session.jobs(), {application, position.value_or(java.position.value_or("")), java.rows, WhenExists::ask});
        if (installed.ok()) listener.progress_done();
        const int status = finish(listener, installed);
        if (installed.ok())
          term.out << "installed " << jad.filename().string() << " and " << jar.filename().string()
                   << " in Java at position " << installed.value.position << "\n";
        // The Java list read again, as the window does to propose the next position: a
        // folder now full is said.
        if (listener.heard_started() && session.jobs().phone().is_open()) {
          const auto java_after = read_java_list(session.jobs());
          if (java_after.ok() && !java_after.value.position) listener.notice({MessageId::java_full, {}, {}});
        }
        return status;
      },
      load);
}

int run_sound(const GlobalOptions& options, Terminal& term, const std::string& sound,
              const std::optional<std::filesystem::path>& file, bool keep_original) {
  const SoundRow* row = sound_row(sound);
  if (row == nullptr) {
    term.err << "lg81xx-cli: unknown sound \"" << sound << "\"; the sounds are " << sound_names() << "\n";
    return kBadInput;
  }
  if (file && !readable_file(*file, term.err)) return kLocalFile;
  TerminalListener listener(term.err, term.terminal);
  std::optional<Bytes> content;
  if (file)
    if (const auto refused = read_to_send(listener, *file, content)) return *refused;
  return run_connected(options, listener, term.err, [&](Session& session, const PhoneFacts& facts) {
    // The phone's own sounds are the user's, kept in the user's data folder
    // ($XDG_DATA_HOME/lg81xx), whichever program folder this run uses.
    const KeptSounds kept{options.user_folder, facts.imei.value_or("")};
    if (!file) {
      const auto restored = restore_original_sound(session.jobs(), sound, kept);
      const int status = finish(listener, restored);
      if (restored.ok()) {
        listener.progress_done();
        term.out << "restored " << row->name << " (" << row->caption << ", .." << row->path << ") from "
                 << original_sound_path(kept, sound).string() << "\n";
      }
      return status;
    }
    const auto replaced =
        replace_sound(session.jobs(), {sound, *file, keep_original ? std::optional(kept) : std::nullopt});
    const int status = finish(listener, replaced);
    if (!replaced.ok()) return status;
    listener.progress_done();  // after the message, as the window draws it
    term.out << "replaced " << row->name << " (" << row->caption << ", .." << row->path << ") with "
             << file->filename().string() << "\n";
    return status;
  });
}

int run_put(const GlobalOptions& options, Terminal& term, const std::string& folder, const std::filesystem::path& file,
            const std::optional<std::string>& as, bool replace) {
  if (as && (as->empty() || *as == "." || *as == ".." || as->find('/') != std::string::npos)) {
    term.err << "lg81xx-cli: --as takes the file's name on the phone, not \"" << escaped_name(*as)
             << "\" (no folder, \".\" or \"..\"; FOLDER says where it goes)\n";
    return kBadInput;
  }
  if (!readable_file(file, term.err)) return kLocalFile;
  TerminalListener listener(term.err, term.terminal);
  std::optional<Bytes> content;
  if (const auto refused = read_to_send(listener, file, content)) return *refused;
  const SendRequest request{folder, as.value_or(file.filename().string()), *content, WhenExists::ask};
  if (const auto refused = first_refusal(listener, {check_send(options.model, request)})) return *refused;
  listener.answer_questions(replace, "--replace");
  return run_connected(options, listener, term.err, [&](Session& session, const PhoneFacts&) {
    const auto sent = send_file(session.jobs(), request);
    if (sent.ok()) listener.progress_done();
    const int status = finish(listener, sent);
    if (sent.ok())
      term.out << "sent " << file.filename().string() << " to " << folder << " as " << quoted_name(request.name) << " ("
               << request.content.size() << " bytes)\n";
    return status;
  });
}

int run_probe(const GlobalOptions& options, Terminal& term) {
  TerminalListener listener(term.err, term.terminal);
  return run_connected(options, listener, term.err, [&](Session& session, const PhoneFacts&) {
    const int status = finish(listener, read_probe(session.jobs()));
    if (status == kSuccess) term.out << "the phone accepted the read probe of ../MessageTone/Message1.mid\n";
    return status;
  });
}

}  // namespace lg81xx::cli
