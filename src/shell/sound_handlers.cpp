// "Carica Nuovo Suono": writes a chosen local file over the selected system sound, the
// phone's own sound kept first; "Ripristina suono originale" sends the kept one back.
#include "jobs/archive_manifest.h"
#include "jobs/sounds.h"
#include "shell/busy_pointer.h"
#include "shell/window_model.h"

namespace lg81xx {

JobResult WindowModel::replace_sound() {
  const SoundOption* option = controls_.selected_sound();
  const std::string sound = option ? option->sound : "";
  if (auto refusal = check_sound(phone(), sound)) return report(refused(std::move(*refusal)));

  Underway underway(*this, text::kStatusSendingSound + option->caption + "...");
  BusyPointer pointer(platform_.ui);
  LineHold line(phone());  // no keep-alive while the dialog is open
  const auto path = platform_.ui.open_file(std::string(sound_row(sound)->filter));
  if (!path || path->empty()) return JobResult::cancelled;
  // Without an IMEI the phone's own sound could not be found again: the user decides.
  std::optional<KeptSounds> keep = KeptSounds{data_folder_, facts_.imei};
  if (!is_imei(facts_.imei)) {
    if (!ask({MessageId::replace_without_keeping, {}, {}})) return JobResult::cancelled;
    keep.reset();
  }
  pointer.busy();
  const JobResult result = report(lg81xx::replace_sound(jobs_, {sound, *path, keep}));
  if (result == JobResult::ok) set_progress_done();  // claimed only once the phone acknowledged the whole file
  return result;
}

JobResult WindowModel::restore_original_sound() {
  const SoundOption* option = controls_.selected_sound();
  const std::string sound = option ? option->sound : "";
  Working working(*this, text::kStatusRestoringSound + (option ? option->caption : "") + "...", true);
  const JobResult result = report(lg81xx::restore_original_sound(jobs_, sound, {data_folder_, facts_.imei}));
  if (result == JobResult::ok) set_progress_done();
  return result;
}

}  // namespace lg81xx
