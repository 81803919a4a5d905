#pragma once
// The program's own folder, where LG81XX.ini, emu.zip and the extracted "emu" live.
// `--home DIR` wins (created when missing); then the executable's folder when it is writable and holds
// LG81XX.ini (a build tree, an unpacked copy); otherwise, as for an installed program,
// a per-user data folder, seeded on first start from the installed defaults; a missing
// emu.zip is copied there at every start from the executable's folder or the defaults.
#include <filesystem>
#include <optional>
#include <vector>

namespace lg81xx::gui {

struct FolderPlaces {
  std::optional<std::filesystem::path> home_option;
  std::filesystem::path exe_dir;
  std::filesystem::path user_dir;
  std::vector<std::filesystem::path> defaults;  // installed share folders, first hit wins
};

std::filesystem::path choose_program_folder(const FolderPlaces& places);

// The places for this process: executable folder, QStandardPaths::AppDataLocation and
// the share folder next to the installed executable.
FolderPlaces standard_places(std::optional<std::filesystem::path> home_option);

}  // namespace lg81xx::gui
