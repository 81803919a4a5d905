#include "jobs/sounds.h"

#include "jobs/checks.h"
#include "jobs/endings.h"
#include "phone/read_probe.h"
#include "phone/sound_replacement.h"
#include "phone/sound_table.h"

namespace lg81xx {

std::optional<Refusal> check_sound(const Phone& phone, std::string_view sound) {
  if (!sound_row(sound)) return Refusal{JobResult::bad_input, {MessageId::no_sound_selected, {}, {}}};
  if (!is_known_model(phone.model())) return Refusal{JobResult::bad_input, {MessageId::unknown_model, {}, {}}};
  return check_connected(phone);
}

JobOutcome<> replace_sound(JobContext& jobs, const SoundRequest& request) {
  auto& phone = jobs.phone();
  if (auto refusal = check_sound(phone, request.sound)) return refused(std::move(*refusal));
  // The sound has a buffer of its own: a descriptor chosen for an install stays valid.
  const auto sound = jobs.files().read_all(request.file);
  if (auto refusal = check_content(sound)) return refused(std::move(*refusal));
  jobs.listener().started();
  return ended(phone, Job::replace_sound, replace_system_sound(phone, sound_row(request.sound)->path, *sound));
}

JobOutcome<> read_probe(JobContext& jobs) {
  auto& phone = jobs.phone();
  if (auto refusal = check_connected(phone)) return refused(std::move(*refusal));
  jobs.listener().started();
  return ended(phone, Job::probe, send_read_probe(phone));
}

}  // namespace lg81xx
