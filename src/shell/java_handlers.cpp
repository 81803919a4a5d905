// The "Applicazioni JAVA" tab: the position proposed from the phone's Java list, the choice
// of JAD and JAR ("Carica JAD e JAR"), the install ("INVIA") and the read probe.
#include "jobs/checks.h"
#include "jobs/position.h"
#include "jobs/sounds.h"
#include "shell/busy_pointer.h"
#include "shell/window_model.h"

namespace lg81xx {

JobResult WindowModel::propose_position() {
  if (auto refusal = check_connected(phone())) return report(refused(std::move(*refusal)));
  const auto java = read_java_list();
  if (!java.ok() && java.result != JobResult::bad_input) return report(java);
  return JobResult::ok;
}

// The folder "Java" listed into the entries list (and marked in the folders list), and
// the position proposed anew from it; no message when the phone does not answer.
JobOutcome<JavaList> WindowModel::read_java_list() {
  Underway underway(*this, std::string(text::kStatusReadingFolder) + "Java...");
  clear_java_list();
  auto java = lg81xx::read_java_list(jobs_);
  if (java.ok()) show_java_list(java.value, true);
  return java;
}

void WindowModel::clear_java_list() {
  controls_.entries_list.clear();
  java_rows_.clear();
  set_position_text("");
}

void WindowModel::show_java_list(const JavaList& java, bool warn_when_full) {
  show_entries(java.rows, "Java");
  java_rows_ = java.rows;
  if (java.position)
    set_position_text(*java.position);
  else if (warn_when_full)
    show({MessageId::java_full, {}, {}});
}

// The descriptor and the archive the user chooses, read whole and checked; the archive is
// asked for only once the descriptor could be read. The status line names the loading
// while the files are read, never while a dialog waits for the user.
JobResult WindowModel::load_application() {
  pair_ = {};
  const auto jad_path = platform_.ui.open_file(text::kJadTitle, text::kJadFilter);
  if (!jad_path || jad_path->empty()) return JobResult::cancelled;
  return load_pair(*jad_path, [this] { return platform_.ui.open_file(text::kJarTitle, text::kJarFilter); });
}

JobResult WindowModel::load_dropped_application(const std::string& descriptor, const std::string& archive) {
  pair_ = {};
  return load_pair(descriptor, [&archive] { return std::optional(archive); });
}

JobResult WindowModel::load_pair(const std::string& descriptor,
                                 const std::function<std::optional<std::string>()>& archive) {
  {
    Underway underway(*this, text::kStatusLoading);
    BusyPointer pointer(platform_.ui);
    pointer.busy();
    auto jad = read_descriptor(jobs_, descriptor);
    if (!jad.ok()) return report(jad);
    pair_.descriptor = std::move(jad.value);
  }

  const auto jar_path = archive();
  if (!jar_path || jar_path->empty()) return JobResult::cancelled;
  Underway underway(*this, text::kStatusLoading);
  BusyPointer pointer(platform_.ui);
  pointer.busy();
  auto pair = pair_with_archive(jobs_, pair_.descriptor, {descriptor, *jar_path, controls_.nokia_emulation, home_});
  if (!pair.ok()) {
    pair_ = {};  // nothing is kept of a pair that cannot be installed
    return report(pair);
  }
  pair_ = std::move(pair.value);
  controls_.loaded_archive.caption = pair_.archive_name;
  return JobResult::ok;
}

// Installs the chosen pair into the phone's folder "Java" at the position in its box. One
// message, however and wherever the install ended. The pair stays chosen, so that INVIA
// installs it again at the position proposed next; an install that reaches its end (done,
// a U8110/U8120 descriptor that was not acknowledged, a model of neither family) empties
// "FILE CARICATO" all the same. Whatever the install left in "Java", the next position
// comes from the phone's list as it is now.
JobResult WindowModel::install_application() {
  const std::string position = padded_position(controls_.position_box.text).value_or("");
  Working working(*this, text::kStatusInstalling + position + "...", true, [this, position] {
    if (controls_.position_box.text != position) set_position_text(position);
  });
  const auto installed =
      lg81xx::install_application(jobs_, {pair_, controls_.position_box.text, java_rows_, WhenExists::ask});
  if (installed.message && installed.message->id == MessageId::unknown_model) controls_.loaded_archive.caption.clear();
  if (installed.ok()) set_progress_done();
  report(installed);
  if (installed.ok() || (installed.value.reached == InstallStep::descriptor && phone().family() != Family::u813))
    controls_.loaded_archive.caption.clear();
  working.normal();
  if (working.started() && phone().is_open()) read_java_list();  // a list that cannot be read proposes nothing
  return installed.result;
}

JobResult WindowModel::probe_message_tone() {
  Working working(*this, text::kStatusProbing, false);
  return report(read_probe(jobs_));
}

}  // namespace lg81xx
