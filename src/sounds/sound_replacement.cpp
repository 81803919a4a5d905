// "Carica Nuovo Suono": writes a chosen local file over the selected system sound.
#include "phone/frames/sound_names.h"
#include "shell/form1.h"
#include "shell/job_end.h"
#include "shell/messages.h"

namespace lg81xx {
namespace {

// The name arrays handed to the upload engine, which also sends the element after the
// name as its terminator.
constexpr std::size_t kFileNameArray = 81;
constexpr std::size_t kFolderNameArray = 41;

const SoundRow* row_of(const OptionButton* option) {
  if (!option) return nullptr;
  for (const auto& row : kSoundTable)
    if (row.control == option->name) return &row;
  return nullptr;
}

}  // namespace

void Form1::Command5_Click() {
  const SoundRow* row = row_of(selected_sound());
  if (!row) return fail(JobResult::bad_input, text::kNoSoundSelected, MessageStyle::critical, text::kErrorTitle);
  if (!is_known_model(Combo1.text))
    return fail(JobResult::bad_input, text::kUnknownModel, MessageStyle::critical, text::kErrorTitle);
  const auto names = sound_names(row->path, family());
  if (!names || names->file.size() >= kFileNameArray || names->folder.size() >= kFolderNameArray)
    return fail(JobResult::bad_input, text::kNameTooLong, MessageStyle::critical, text::kErrorTitle);
  if (!require_connection()) return;

  JobEnd end(*this);
  const auto path = platform_.ui.open_file(std::string(row->filter));
  if (!path || path->empty()) {
    last_result = JobResult::cancelled;
    return;
  }
  platform_.ui.set_busy_pointer(true);
  // The sound has a buffer of its own: a descriptor chosen for an install stays valid.
  const auto sound = platform_.files.read_all(*path);
  if (!sound) return fail(JobResult::local_file, text::kFileReadFailed, MessageStyle::critical, text::kErrorTitle);
  if (sound->empty()) return fail(JobResult::bad_input, text::kEmptyFile, MessageStyle::critical, text::kErrorTitle);

  folder_name_chars = names->folder_chars;
  file_name_chars = names->file_chars;
  next_sequence();
  upload_object(static_cast<int>(names->folder.size()), static_cast<int>(names->file.size()), names->file,
                names->folder, static_cast<std::int64_t>(sound->size()), *sound);
  // Claimed only when the phone acknowledged the whole file; otherwise the engine has
  // already said that the phone did not answer.
  if (!is_acknowledgement(last_reply)) return;
  platform_.ui.message_box(text::kSoundLoaded, MessageStyle::information, text::kSoundTitle);
  set_progress_done();
  last_result = JobResult::ok;
}

}  // namespace lg81xx
