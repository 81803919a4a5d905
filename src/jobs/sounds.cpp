#include "jobs/sounds.h"

#include <cstdlib>

#include "jobs/archive_manifest.h"
#include "jobs/checks.h"
#include "jobs/endings.h"
#include "jobs/fetch.h"
#include "phone/read_probe.h"
#include "phone/sound_replacement.h"
#include "phone/sound_table.h"

namespace lg81xx {
namespace {

// The sound's path as the replacement writes it: in the family's sound folder, "..", then
// its path.
ObjectName sound_on_phone(const Phone& phone, const SoundRow& row) {
  return {phone.family() == Family::u813 ? "Audios" : "Audio", ".." + std::string(row.path)};
}

// The phone's own sound read and kept, unless one is kept already. Nothing when the
// replacement may go on.
std::optional<JobOutcome<>> keep_original(JobContext& jobs, const SoundRow& row, const KeptSounds& kept) {
  const auto path = original_sound_path(kept, row.name);
  if (jobs.files().exists(path)) return std::nullopt;  // kept before the first replacement
  auto got = fetch_entry(jobs, sound_on_phone(jobs.phone(), row));
  if (got.result == JobResult::refused || (got.ok() && got.value.empty())) {
    jobs.listener().notice({MessageId::original_sound_not_kept, {}, {}});
    return std::nullopt;
  }
  // The sound job's own words for a phone that did not answer the read.
  if (!got.ok()) return ended(jobs.phone(), Job::replace_sound, got.result);
  const SaveResult saved = jobs.files().make_folders(path.parent_path())
                               ? jobs.files().save(path, got.value, Replace::never)
                               : SaveResult::no_folder;
  if (saved != SaveResult::ok)
    return JobOutcome<>{
        JobResult::local_file,
        {},
        Message{MessageId::file_write_failed, ": " + path.string() + " (" + italian(save_problem(saved)) + ")", {}}};
  jobs.listener().notice({MessageId::original_sound_kept, " " + path.string(), {}});
  return std::nullopt;
}

}  // namespace

std::filesystem::path user_data_folder() {
  const char* data_home = std::getenv("XDG_DATA_HOME");
  if (data_home != nullptr && std::filesystem::path(data_home).is_absolute())
    return std::filesystem::path(data_home) / "lg81xx";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : "") / ".local" / "share" / "lg81xx";
}

std::filesystem::path original_sound_path(const KeptSounds& kept, std::string_view sound) {
  const SoundRow* row = sound_row(sound);
  return kept.data_folder / "original-sounds" / kept.imei /
         std::filesystem::path(row ? row->path : sound).relative_path();
}

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
  if (request.keep_original && !is_imei(request.keep_original->imei))
    return refused({JobResult::bad_input, {MessageId::keep_needs_imei, {}, {}}});
  const SoundRow& row = *sound_row(request.sound);
  jobs.listener().started();
  if (request.keep_original)
    if (auto stopped = keep_original(jobs, row, *request.keep_original)) return std::move(*stopped);
  return ended(phone, Job::replace_sound, replace_system_sound(phone, row.path, *sound));
}

JobOutcome<> restore_original_sound(JobContext& jobs, std::string_view sound, const KeptSounds& kept) {
  auto& phone = jobs.phone();
  if (auto refusal = check_sound(phone, sound)) return refused(std::move(*refusal));
  if (!is_imei(kept.imei)) return refused({JobResult::bad_input, {MessageId::restore_needs_imei, {}, {}}});
  const auto path = original_sound_path(kept, sound);
  // Only what a replacement kept: a regular file, never empty, reached through no link.
  const auto original = jobs.files().read_below(kept.data_folder, path.lexically_relative(kept.data_folder));
  if (!original || original->empty())
    return refused({JobResult::bad_input, {MessageId::no_original_sound, " " + path.string(), {}}});
  jobs.listener().started();
  return ended(phone, Job::restore_sound, replace_system_sound(phone, sound_row(sound)->path, *original));
}

JobOutcome<> read_probe(JobContext& jobs) {
  auto& phone = jobs.phone();
  if (auto refusal = check_connected(phone)) return refused(std::move(*refusal));
  jobs.listener().started();
  return ended(phone, Job::probe, send_read_probe(phone));
}

}  // namespace lg81xx
