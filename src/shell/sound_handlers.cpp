// "Carica Nuovo Suono": writes a chosen local file over the selected system sound.
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
  pointer.busy();
  const JobResult result = report(lg81xx::replace_sound(jobs_, {sound, *path, std::nullopt}));
  if (result == JobResult::ok) set_progress_done();  // claimed only once the phone acknowledged the whole file
  return result;
}

}  // namespace lg81xx
