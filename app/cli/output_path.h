#pragma once
// Where a downloaded entry is saved. The entry name comes from the phone, so it is made
// safe before it becomes a local file name.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "jobs/safe_file_name.h"

namespace lg81xx::cli {

// -o - : the entry's bytes to standard output (a file named "-" is ./-).
inline const std::filesystem::path kStandardOutput{"-"};

struct OutputPath {
  std::filesystem::path path;  // empty when refused
  std::string error;           // why, for one line on standard error
  bool bad_name = false;       // refused for the entry's name, not for the folder
};

// The file a download of `entry` writes: `requested` (-o) when given, inside that folder
// when it names a folder; otherwise the safe name of the entry in `current_dir`. The
// target folder must exist.
OutputPath output_path_for(std::string_view entry, const std::optional<std::filesystem::path>& requested,
                           const std::filesystem::path& current_dir);

}  // namespace lg81xx::cli
