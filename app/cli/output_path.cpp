#include "output_path.h"

#include "base/name_escapes.h"
#include "jobs/safe_file_name.h"

namespace lg81xx::cli {

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
    if (!name)
      return {{}, "the entry name \"" + escaped_name(entry) + "\" gives no usable file name; choose one with -o", true};
    file = folder / *name;  // a safe name has no separator: it stays in the folder
  }
  if (!fs::is_directory(folder, ec)) return {{}, "the output folder " + folder.string() + " does not exist"};
  if (fs::is_directory(*file, ec)) return {{}, file->string() + " is a folder"};
  return {*file, {}};
}

}  // namespace lg81xx::cli
