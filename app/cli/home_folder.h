#pragma once
// The program folder of a command-line run: where LG81XX.ini, emu.zip and the emulation
// classes live.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lg81xx::cli {

struct HomeFolder {
  std::filesystem::path path;  // empty when none could be prepared
  std::string error;
};

// `requested` (--home) when given; otherwise the program's own folder when it holds
// LG81XX.ini and can be written; otherwise `user_folder`. The folder is created when
// missing (the start-up writes its LG81XX.ini), and a missing emu.zip is copied from the
// first that has one of the program's folder and `data_folders` (where an installation
// keeps its files), as the window does.
HomeFolder prepare_home(const std::optional<std::filesystem::path>& requested,
                        const std::filesystem::path& program_folder, const std::filesystem::path& user_folder,
                        const std::vector<std::filesystem::path>& data_folders = {});

// True when a file can be created in `folder`.
bool is_writable_folder(const std::filesystem::path& folder);

}  // namespace lg81xx::cli
