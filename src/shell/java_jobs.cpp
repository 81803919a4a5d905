// The "Applicazioni JAVA" tab: the position proposed from the phone's Java list, the choice
// of JAD and JAR ("Carica JAD e JAR"), the install ("INVIA") and the read probe (Command4).
#include <filesystem>
#include <utility>

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

}  // namespace

JobResult Form1::propose_position() {
  if (!require_connection(Job::java_list)) return JobResult::not_connected;
  controls_.List2.clear();
  set_position_text("");
  const auto java = phone_.list_java();
  if (java.result == JobResult::bad_input) return JobResult::ok;  // neither family: no list, no proposal
  if (!java.ok()) return report(Job::java_list, java.result);
  show_entries(java.value);
  set_position_text(insertion_position(java.value.size()));
  return JobResult::ok;
}

// Reads the chosen descriptor and archive whole. With the Nokia emulation ticked, the
// archive read is a copy with the classes of "emu" added; the chosen file is never touched.
JobResult Form1::load_application() {
  auto& ui = platform_.ui;
  auto& files = platform_.files;
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

  std::optional<Bytes> jar;
  const auto emu = home_ / "emu";
  if (controls_.nokia.value && !has_files(emu)) {
    ui.message_box(text::kNoEmuClasses, MessageStyle::information, "");
    jar = files.read_all(*jar_path);
  } else if (controls_.nokia.value) {
    // The classes go into a copy, which is read back and removed.
    const auto temp = home_ / kTempJar;
    const bool copied = files.copy(*jar_path, temp);
    if (copied && platform_.archiver.add_folder(temp, emu) >= 0) jar = files.read_all(temp);
    files.remove(temp);
    if (copied && !jar) return stop(text::kFileWriteFailed, JobResult::local_file);
  } else {
    jar = files.read_all(*jar_path);
  }
  if (!jar) return stop(text::kFileReadFailed, JobResult::local_file);

  jar_ = std::move(*jar);
  controls_.Label8.caption = std::filesystem::path(*jar_path).filename().string();
  return JobResult::ok;
}

// Installs the chosen pair into the phone's folder "Java" at the position of Text1.
JobResult Form1::install_application() {
  if (!is_known_model(model())) {
    controls_.Label8.caption.clear();
    return stop(text::kUnknownModel);
  }
  const auto position = padded_position(controls_.Text1.text);
  if (!position) return stop(text::kBadPosition);
  // Without a descriptor and an archive nothing could be installed, and an empty upload
  // would leave no acknowledgement to judge the install by.
  if (jad_.empty() || jar_.empty()) return stop(text::kNoSelection);
  if (!require_connection(Job::install)) return JobResult::not_connected;

  if (controls_.Text1.text != *position) set_position_text(*position);
  BusyPointer pointer(platform_.ui);
  pointer.busy();
  return report_install(install_java_application(phone_, *position, jad_, jar_));
}

// One message, however and wherever the install ended. The U8110/U8120 install that
// stops at its descriptor forgets the chosen pair's name, as a complete one does.
JobResult Form1::report_install(const Outcome<InstallStep>& installed) {
  const JobResult result = installed.result;
  if (installed.ok()) set_progress_done();
  report(Job::install, result,
         result == JobResult::interrupted ? files_on_phone(controls_.Text1.text, installed.value) : "");
  if (installed.ok() || (installed.value == InstallStep::descriptor && phone_.family() != Family::u813))
    controls_.Label8.caption.clear();
  return result;
}

JobResult Form1::probe_message_tone() {
  if (!require_connection(Job::probe)) return JobResult::not_connected;
  return report(Job::probe, send_read_probe(phone_));
}

}  // namespace lg81xx
