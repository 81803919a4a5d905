#pragma once
// The "SUONI di Sistema" jobs: a system sound replaced by a file of the computer, and the
// read probe of the first message tone.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "jobs/job_context.h"
#include "jobs/job_outcome.h"

namespace lg81xx {

// Where the phone's own sounds are kept: one folder per phone, named by its IMEI, in the
// user's data folder ($XDG_DATA_HOME/lg81xx, by default ~/.local/share/lg81xx).
struct KeptSounds {
  std::filesystem::path data_folder;
  std::string imei;  // empty when the connect could not read it
};

// The user's data folder: $XDG_DATA_HOME/lg81xx when XDG_DATA_HOME names an absolute
// folder, otherwise $HOME/.local/share/lg81xx.
std::filesystem::path user_data_folder();

// The kept original of `sound` (its path on the phone under "original-sounds/IMEI").
std::filesystem::path original_sound_path(const KeptSounds& kept, std::string_view sound);

struct SoundRequest {
  std::string sound;  // mes1 .. batt, as the sound table names them
  std::filesystem::path file;
  // Before the first replacement of this sound on this phone, the phone's own sound is
  // read and kept; nothing: replaced without keeping it.
  std::optional<KeptSounds> keep_original;
};

// What must hold before a sound can be replaced: a sound of the table, a model of the
// four, an open port. The window asks before its file dialog; the job asks again.
std::optional<Refusal> check_sound(const Phone& phone, std::string_view sound);

// The file read whole (not empty) and written over the sound on the phone. When the
// original is to be kept and none is kept yet, the sound is read first and kept: a phone
// whose IMEI is not known is refused (its sound could not be found again), a kept sound
// that cannot be written ends the job before the phone's sound is touched, and a phone
// that refuses the read gets its new sound all the same, with a warning.
JobOutcome<> replace_sound(JobContext& jobs, const SoundRequest& request);

// The user's data folder: $XDG_DATA_HOME/lg81xx when XDG_DATA_HOME names an absolute
// folder, otherwise $HOME/.local/share/lg81xx.
std::filesystem::path user_data_folder();

// The kept original of `sound` sent back to the phone.
JobOutcome<> restore_original_sound(JobContext& jobs, std::string_view sound, const KeptSounds& kept);

// Asks the phone to open ../MessageTone/Message1.mid for reading; ok when it accepts.
JobOutcome<> read_probe(JobContext& jobs);

}  // namespace lg81xx
