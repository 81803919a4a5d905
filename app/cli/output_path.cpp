#include "output_path.h"

namespace lg81xx::cli {

std::optional<std::string> safe_file_name(std::string_view entry) {
  std::string name;
  for (char c : entry) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || c == ':' || byte < 0x20 || byte == 0x7F) continue;
    name.push_back(c);
  }
  for (auto at = name.find(".."); at != std::string::npos; at = name.find("..")) name.erase(at, 2);
  // Leading blanks and a lone "." would make a hidden or empty name.
  while (!name.empty() && (name.front() == ' ' || name.front() == '.')) name.erase(0, 1);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (name.empty()) return std::nullopt;
  return name;
}

OutputPath output_path_for(std::string_view entry, const std::optional<std::filesystem::path>& requested,
                           const std::filesystem::path& current_dir) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path folder = current_dir;
  std::optional<fs::path> file;
  if (requested) {
    if (fs::is_directory(*requested, ec)) {
      folder = *requested;
    } else {
      file = *requested;
      folder = requested->has_parent_path() ? requested->parent_path() : current_dir;
    }
  }
  if (!file) {
    const auto name = safe_file_name(entry);
    if (!name) return {{}, "the entry name \"" + std::string(entry) + "\" gives no usable file name; choose one with -o", true};
    file = folder / *name;  // a safe name has no separator: it stays in the folder
  }
  if (!fs::is_directory(folder, ec)) return {{}, "the output folder " + folder.string() + " does not exist"};
  if (fs::is_directory(*file, ec)) return {{}, file->string() + " is a folder"};
  return {*file, {}};
}

}  // namespace lg81xx::cli
