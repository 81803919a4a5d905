// The "Applicazioni JAVA" tab: the position proposed from the phone's Java list, the choice
// of JAD and JAR ("Carica JAD e JAR"), the install ("INVIA") and the read probe (Command4).
#include <filesystem>
#include <utility>

#include "phone/frames/descriptor.h"
#include "phone/read_probe.h"
#include "shell/busy_pointer.h"
#include "shell/form1.h"
#include "shell/messages.h"
#include "shell/position.h"

namespace lg81xx {
namespace {

constexpr const char* kJadFilter = "Java Descriptor|*.jad";
constexpr const char* kJarFilter = "Java Archive|*.jar";
constexpr const char* kTempJar = "temp.jar";

bool has_files(const std::filesystem::path& folder) {
  std::error_code ec;
  for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec)) return true;
  return false;
}

// After the cancel message: the files of an install stopped at `stopped` that reached the
// phone whole.
std::string files_on_phone(const std::string& position, InstallStep stopped) {
  using enum InstallStep;
  std::string files;
  for (const auto& [step, extension] : {std::pair{descriptor, ".jad"}, {archive, ".jar"}, {manifest, ".mnf"}})
    if (stopped > step) files += (files.empty() ? "" : ", ") + position + extension;
  return files.empty() ? "; nessun file arrivato al telefono" : "; arrivati al telefono: " + files;
}

std::string file_name(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// The message for a chosen pair that is not a descriptor and a ZIP archive, naming the
// wrong file; nothing for a good pair.
std::optional<std::string> pair_problem(const Archiver& archiver, const Bytes& jad, const std::string& jad_name,
                                        const Bytes& jar, const std::string& jar_name) {
  const bool jad_is_archive = archiver.is_archive(jad);
  const bool jar_is_archive = archiver.is_archive(jar);
  const bool jad_is_descriptor = !jad_is_archive && is_descriptor(jad);
  if (jad_is_descriptor && jar_is_archive) return std::nullopt;
  if (jad_is_archive && !jar_is_archive && is_descriptor(jar))
    return std::string(text::kSwappedFiles) + ": " + jar_name + " è il descrittore, " + jad_name + " l'archivio";
  if (!jad_is_descriptor)
    return std::string(text::kBadJad) + ": " + jad_name +
           (jad_is_archive ? " è un archivio, non un descrittore" : " non ha MIDlet-Name né MIDlet-Jar-URL");
  return std::string(text::kBadJar) + ": " + jar_name + " non è un archivio ZIP";
}

// `jar` with the classes of the program folder's "emu" added, in a copy that is read back
// and removed; nothing when that fails.
std::optional<Bytes> with_emulation_classes(Files& files, Archiver& archiver, const Bytes& jar,
                                            const std::filesystem::path& home) {
  const auto temp = home / kTempJar;
  if (files.save(temp, jar, Replace::regular_file) != SaveResult::ok) return std::nullopt;
  std::optional<Bytes> enlarged;
  if (archiver.add_folder(temp, home / "emu") >= 0) enlarged = files.read_all(temp);
  files.remove(temp);
  return enlarged;
}

}  // namespace

JobResult Form1::propose_position() {
  if (!require_connection(Job::java_list)) return JobResult::not_connected;
  const JobResult read = read_java_list();
  if (read != JobResult::ok && read != JobResult::bad_input) return report(Job::java_list, read);
  return JobResult::ok;
}

// The folder "Java" listed into List2 (and marked in List1, whose entries List2 shows),
// and Text1 proposed anew from it; no message when the phone does not answer.
JobResult Form1::read_java_list() {
  Underway underway(*this, std::string(text::kStatusReadingFolder) + "Java...");
  controls_.List2.clear();
  java_rows_.clear();
  set_position_text("");
  const auto java = phone_.list_java();
  if (java.result == JobResult::bad_input) return java.result;  // neither family: no list, no proposal
  if (!java.ok()) return java.result;
  show_entries(java.value, "Java");
  java_rows_ = java.value;
  const auto position = first_free_position(java_rows_);
  if (!position) {
    platform_.ui.message_box(text::kJavaFull, MessageStyle::warning, "");
    return JobResult::ok;
  }
  set_position_text(*position);
  return JobResult::ok;
}

// Reads the chosen descriptor and archive whole and checks that they are what they claim
// to be. With the Nokia emulation ticked, the archive read is a copy with the classes of
// "emu" added, and the descriptor states its size; the chosen files are never touched.
JobResult Form1::load_application() {
  auto& ui = platform_.ui;
  auto& files = platform_.files;
  Underway underway(*this, text::kStatusLoading);
  BusyPointer pointer(ui);
  jad_.clear();
  jar_.clear();

  const auto jad_path = ui.open_file(kJadFilter);
  if (!jad_path || jad_path->empty()) return JobResult::cancelled;
  pointer.busy();
  auto jad = files.read_all(*jad_path);
  if (!jad) return stop(text::kFileReadFailed, JobResult::local_file);
  jad_ = std::move(*jad);
  pointer.normal();

  const auto jar_path = ui.open_file(kJarFilter);
  if (!jar_path || jar_path->empty()) return JobResult::cancelled;
  pointer.busy();
  auto jar = files.read_all(*jar_path);
  if (!jar) return stop(text::kFileReadFailed, JobResult::local_file);
  const std::string jar_name = file_name(*jar_path);
  if (const auto problem = pair_problem(platform_.archiver, jad_, file_name(*jad_path), *jar, jar_name)) {
    jad_.clear();  // nothing is kept of a pair that cannot be installed
    return stop(*problem);
  }

  const bool enlarge = controls_.nokia.value && has_files(home_ / "emu");
  if (controls_.nokia.value && !enlarge) ui.message_box(text::kNoEmuClasses, MessageStyle::information, "");
  if (enlarge) {
    auto enlarged = with_emulation_classes(files, platform_.archiver, *jar, home_);
    if (!enlarged) {
      jad_.clear();
      return stop(text::kFileWriteFailed, JobResult::local_file);
    }
    jar = std::move(enlarged);
    jad_ = with_jar_size(jad_, jar->size());
  } else if (const auto stated = stated_jar_size(jad_); stated && *stated != std::to_string(jar->size())) {
    // Some phones refuse such a pair, others take it: the user decides.
    ui.message_box(std::string(text::kJarSizeDiffers) + ": MIDlet-Jar-Size " + *stated + ", " + jar_name + " " +
                       std::to_string(jar->size()) + " byte",
                   MessageStyle::warning, "");
  }

  jar_ = std::move(*jar);
  controls_.Label8.caption = jar_name;
  return JobResult::ok;
}

// Installs the chosen pair into the phone's folder "Java" at the position of Text1.
JobResult Form1::install_application() {
  if (!is_known_model(model())) {
    release_pair();
    return stop(text::kUnknownModel);
  }
  if (controls_.Text1.text.empty() && !first_free_position(java_rows_)) return stop(text::kJavaFull);
  const auto position = padded_position(controls_.Text1.text);
  if (!position) return stop(text::kBadPosition);
  // Without a descriptor and an archive nothing could be installed, and an empty upload
  // would leave no acknowledgement to judge the install by.
  if (jad_.empty() || jar_.empty()) return stop(text::kNoSelection);
  if (!require_connection(Job::install)) return JobResult::not_connected;
  if (is_taken(java_rows_, *position) &&
      !platform_.ui.ask(std::string(text::kReplaceApplication) + " " + *position + "?", text::kConfirmTitle))
    return JobResult::cancelled;

  if (controls_.Text1.text != *position) set_position_text(*position);
  Underway underway(*this, text::kStatusInstalling + *position + "...");
  BusyPointer pointer(platform_.ui);
  pointer.busy();
  const JobResult result = report_install(install_java_application(phone_, *position, jad_, jar_));
  // Whatever the install left in "Java", the next position comes from the phone's list as
  // it is now; a list that cannot be read proposes nothing.
  pointer.normal();
  if (phone_.is_open()) read_java_list();
  return result;
}

// One message, however and wherever the install ended. An installed pair is released, so
// that it is never sent twice by mistake; so is the pair of a U8110/U8120 install that
// stops at its descriptor, as the window forgets its name.
JobResult Form1::report_install(const Outcome<InstallStep>& installed) {
  const JobResult result = installed.result;
  if (installed.ok()) set_progress_done();
  report(Job::install, result,
         result == JobResult::interrupted ? files_on_phone(controls_.Text1.text, installed.value) : "");
  if (installed.ok() || (installed.value == InstallStep::descriptor && phone_.family() != Family::u813)) release_pair();
  return result;
}

// "FILE CARICATO" empty, and nothing left to send with INVIA.
void Form1::release_pair() {
  controls_.Label8.caption.clear();
  jad_.clear();
  jar_.clear();
}

JobResult Form1::probe_message_tone() {
  if (!require_connection(Job::probe)) return JobResult::not_connected;
  Underway underway(*this, text::kStatusProbing);
  return report(Job::probe, send_read_probe(phone_));
}

}  // namespace lg81xx
