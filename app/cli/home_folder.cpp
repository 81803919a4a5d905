#include "home_folder.h"

#include <unistd.h>

namespace lg81xx::cli {
namespace fs = std::filesystem;
namespace {

constexpr const char* kIni = "LG81XX.ini";
constexpr const char* kEmuArchive = "emu.zip";

bool seed(const fs::path& folder, const std::vector<fs::path>& sources, std::string& error) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder, ec)) {
    error = "cannot create the program folder " + folder.string() + "; choose another with --home DIR";
    return false;
  }
  if (fs::exists(folder / kEmuArchive, ec)) return true;
  for (const auto& source : sources) {
    if (!fs::is_regular_file(source / kEmuArchive, ec)) continue;
    fs::copy_file(source / kEmuArchive, folder / kEmuArchive, ec);  // --nokia works without it
    break;
  }
  return true;
}

}  // namespace

// Asked of the system rather than tried with a file of our own, which would leave a
// trace behind or, were a link planted under its name, write through the link.
bool is_writable_folder(const fs::path& folder) {
  std::error_code ec;
  return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

HomeFolder prepare_home(const std::optional<fs::path>& requested, const fs::path& program_folder,
                        const fs::path& user_folder, const std::vector<fs::path>& data_folders) {
  std::vector<fs::path> sources{program_folder};
  sources.insert(sources.end(), data_folders.begin(), data_folders.end());
  std::string error;
  if (requested) {
    if (!seed(*requested, sources, error)) return {{}, error};
    return {*requested, {}};
  }
  std::error_code ec;
  if (fs::exists(program_folder / kIni, ec) && is_writable_folder(program_folder)) return {program_folder, {}};
  if (!seed(user_folder, sources, error)) return {{}, error};
  return {user_folder, {}};
}

}  // namespace lg81xx::cli
