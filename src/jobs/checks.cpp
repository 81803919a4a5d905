#include "jobs/checks.h"

#include "phone/frames/listing_frames.h"
#include "phone/frames/upload_frames.h"
#include "phone/wire_names.h"

namespace lg81xx {
namespace {

Refusal refusal(MessageId id, JobResult result = JobResult::bad_input, std::string detail = "") {
  return {result, {id, std::move(detail), {}}};
}

}  // namespace

std::vector<std::string> model_folders(std::string_view model) {
  if (!is_known_model(model)) return {};
  return listable_folders(family_of(model));
}

std::optional<Refusal> check_folder(std::string_view model, std::string_view folder) {
  if (!is_known_model(model)) return refusal(MessageId::unknown_model);
  const auto folders = model_folders(model);
  std::string names;
  for (const auto& known : folders) {
    if (known == folder) return std::nullopt;
    names += (names.empty() ? "" : ", ") + known;
  }
  return refusal(MessageId::no_such_folder, JobResult::bad_input,
                 ": " + std::string(folder) + "; " + italian(MessageId::folders_of_model, {model, names}));
}

std::optional<Refusal> check_name(std::string_view model, std::string_view name) {
  switch (name_fit(family_of(model), name)) {
    case NameFit::fits: return std::nullopt;
    case NameFit::too_long: return refusal(MessageId::name_too_long);
    case NameFit::unsupported: break;
  }
  return refusal(MessageId::name_not_supported);
}

std::optional<Refusal> check_new_name(std::string_view model, std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.find_first_of(":/") != std::string_view::npos)
    return refusal(MessageId::name_not_supported);
  return check_name(model, name);
}

std::optional<Refusal> check_content(const std::optional<Bytes>& content) {
  if (!content) return refusal(MessageId::file_read_failed, JobResult::local_file);
  if (content->empty()) return refusal(MessageId::empty_file);
  return check_file_size(content->size());
}

std::optional<Refusal> check_file_size(std::uint64_t size) {
  if (size > kLargestUpload) return refusal(MessageId::file_too_large);
  return std::nullopt;
}

std::optional<Refusal> check_connected(const Phone& phone) {
  if (phone.is_open()) return std::nullopt;
  return refusal(MessageId::not_connected, JobResult::not_connected);
}

MessageId save_problem(SaveResult result) {
  switch (result) {
    case SaveResult::exists: return MessageId::exists_kept;
    case SaveResult::not_a_file: return MessageId::not_a_regular_file;
    case SaveResult::is_folder: return MessageId::is_a_folder;
    case SaveResult::no_folder: return MessageId::folder_missing;
    case SaveResult::folder_not_writable: return MessageId::folder_not_writable;
    case SaveResult::name_too_long: return MessageId::name_too_long_for_folder;
    case SaveResult::ok:
    case SaveResult::failed: break;
  }
  return MessageId::write_error;
}

}  // namespace lg81xx
