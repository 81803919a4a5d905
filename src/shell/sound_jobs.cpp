// "Carica Nuovo Suono": writes a chosen local file over the selected system sound.
#include "phone/sound_replacement.h"
#include "shell/busy_pointer.h"
#include "shell/form1.h"
#include "shell/messages.h"

namespace lg81xx {

JobResult Form1::replace_sound() {
  const OptionButton* option = controls_.selected_sound();
  const SoundRow* row = option ? sound_row(option->name) : nullptr;
  if (!row) return stop(text::kNoSoundSelected);
  if (!is_known_model(model())) return stop(text::kUnknownModel);
  if (!require_connection(Job::replace_sound)) return JobResult::not_connected;

  Underway underway(*this, text::kStatusSendingSound + option->caption + "...");
  BusyPointer pointer(platform_.ui);
  LineHold line(phone_);  // however the job ends, the keep-alive is free again
  const auto path = platform_.ui.open_file(std::string(row->filter));
  if (!path || path->empty()) return JobResult::cancelled;
  pointer.busy();
  // The sound has a buffer of its own: a descriptor chosen for an install stays valid.
  const auto sound = platform_.files.read_all(*path);
  if (!sound) return stop(text::kFileReadFailed, JobResult::local_file);
  if (sound->empty()) return stop(text::kEmptyFile);

  const JobResult result = report(Job::replace_sound, replace_system_sound(phone_, row->path, *sound));
  if (result == JobResult::ok) set_progress_done();  // claimed only once the phone acknowledged the whole file
  return result;
}

}  // namespace lg81xx
