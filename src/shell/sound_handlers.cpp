// "Carica Nuovo Suono": writes a chosen local file over the selected system sound, the
// phone's own sound kept first; "Ripristina suono originale" sends the kept one back.
#include "jobs/archive_manifest.h"
#include "jobs/sounds.h"
#include "shell/busy_pointer.h"
#include "shell/window_model.h"

namespace lg81xx {

// The dialog waits with the line as the last job left it: a keep-alive may go out meanwhile.
JobResult WindowModel::replace_sound() {
  const SoundOption* option = controls_.selected_sound();
  const std::string sound = option ? option->sound : "";
  if (auto refusal = check_sound(phone(), sound)) return report(refused(std::move(*refusal)));
  const auto path = platform_.ui.open_file(text::kSoundTitle, std::string(sound_row(sound)->filter));
  if (!path || path->empty()) {
    phone().free_line();  // however a tried replacement ends, the line is free again
    return JobResult::cancelled;
  }
  return replace_sound_with(*path);
}

JobResult WindowModel::replace_sound_with(const std::string& path) {
  const SoundOption* option = controls_.selected_sound();
  const std::string sound = option ? option->sound : "";
  if (auto refusal = check_sound(phone(), sound)) return report(refused(std::move(*refusal)));
  // Without an IMEI the phone's own sound could not be found again: the user decides.
  const std::string imei = facts_.imei.value_or("");
  std::optional<KeptSounds> keep = KeptSounds{data_folder_, imei};
  if (!is_imei(imei)) {
    if (!ask({MessageId::replace_without_keeping, {}, {}})) return JobResult::cancelled;
    keep.reset();
  }
  LineHold line(phone());  // freed however the replacement ends
  BusyPointer pointer(platform_.ui);
  pointer.busy();
  Working working(*this, text::kStatusSendingSound + option->caption + "...", false);
  const JobResult result = report(lg81xx::replace_sound(jobs_, {sound, path, keep}));
  if (result == JobResult::ok) set_progress_done();  // claimed only once the phone acknowledged the whole file
  return result;
}

JobResult WindowModel::restore_original_sound() {
  const SoundOption* option = controls_.selected_sound();
  const std::string sound = option ? option->sound : "";
  Working working(*this, text::kStatusRestoringSound + (option ? option->caption : "") + "...", true);
  const JobResult result =
      report(lg81xx::restore_original_sound(jobs_, sound, {data_folder_, facts_.imei.value_or("")}));
  if (result == JobResult::ok) set_progress_done();
  return result;
}

}  // namespace lg81xx
