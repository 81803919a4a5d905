#include "shell/preflight.h"

#include "phone/frames/listing_frames.h"
#include "phone/wire_names.h"
#include "shell/messages.h"

namespace lg81xx {

std::vector<std::string> model_folders(std::string_view model) {
  if (!is_known_model(model)) return {};
  return listable_folders(family_of(model));
}

std::optional<Refusal> check_folder(std::string_view model, std::string_view folder) {
  if (!is_known_model(model)) return Refusal{JobResult::bad_input, text::kUnknownModel};
  const auto folders = model_folders(model);
  for (const auto& known : folders)
    if (known == folder) return std::nullopt;
  std::string text = std::string(text::kNoSuchFolder) + ": " + std::string(folder) + "; le cartelle del " +
                     std::string(model) + " sono ";
  for (std::size_t i = 0; i < folders.size(); ++i) text += (i > 0 ? ", " : "") + folders[i];
  return Refusal{JobResult::bad_input, text};
}

std::optional<Refusal> check_name(std::string_view model, std::string_view name) {
  switch (name_fit(family_of(model), name)) {
    case NameFit::fits: return std::nullopt;
    case NameFit::too_long: return Refusal{JobResult::bad_input, text::kNameTooLong};
    case NameFit::unsupported: break;
  }
  return Refusal{JobResult::bad_input, text::kNameNotSupported};
}

std::optional<Refusal> check_new_name(std::string_view model, std::string_view name) {
  if (name.empty() || name.find_first_of(":/") != std::string_view::npos)
    return Refusal{JobResult::bad_input, text::kNameNotSupported};
  return check_name(model, name);
}

std::optional<Refusal> check_content(const std::optional<Bytes>& content) {
  if (!content) return Refusal{JobResult::local_file, text::kFileReadFailed};
  if (content->empty()) return Refusal{JobResult::bad_input, text::kEmptyFile};
  return std::nullopt;
}

}  // namespace lg81xx
