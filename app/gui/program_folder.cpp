#include "program_folder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <system_error>

#include "text_codec.h"

#ifndef LG81XX_INSTALL_DATADIR
#define LG81XX_INSTALL_DATADIR "/usr/local/share/lg81xx"
#endif

namespace lg81xx::gui {
namespace {

namespace fs = std::filesystem;
constexpr const char* kIni = "LG81XX.ini";
constexpr const char* kEmu = "emu.zip";

bool writable_dir(const fs::path& dir) {
  const QFileInfo info(QString::fromStdString(dir.string()));
  return info.isDir() && info.isWritable();
}

// Copies what the installation provides into a fresh user folder. Without an installed
// LG81XX.ini the start-up takes the folder for a first start and writes one.
void seed(const fs::path& user_dir, const std::vector<fs::path>& defaults) {
  std::error_code ec;
  fs::create_directories(user_dir, ec);
  for (const auto& dir : defaults) {
    if (!fs::is_regular_file(dir / kIni, ec)) continue;
    fs::copy_file(dir / kIni, user_dir / kIni, fs::copy_options::skip_existing, ec);
    return;
  }
}

// An emu.zip put beside the program or into the installation later reaches the user
// folder at the next start, from the first place that has one (as the command line does).
void bring_emulation_archive(const fs::path& user_dir, const fs::path& exe_dir, const std::vector<fs::path>& defaults) {
  std::error_code ec;
  if (fs::exists(user_dir / kEmu, ec)) return;
  std::vector<fs::path> sources{exe_dir};
  sources.insert(sources.end(), defaults.begin(), defaults.end());
  for (const auto& dir : sources) {
    if (!fs::is_regular_file(dir / kEmu, ec)) continue;
    fs::copy_file(dir / kEmu, user_dir / kEmu, ec);
    return;
  }
}

}  // namespace

fs::path choose_program_folder(const FolderPlaces& places) {
  std::error_code ec;
  if (places.home_option) {
    fs::create_directories(*places.home_option, ec);  // one that cannot be made is named by the start-up
    return *places.home_option;
  }
  if (fs::is_regular_file(places.exe_dir / kIni, ec) && writable_dir(places.exe_dir)) return places.exe_dir;
  if (!fs::exists(places.user_dir / kIni, ec)) seed(places.user_dir, places.defaults);
  bring_emulation_archive(places.user_dir, places.exe_dir, places.defaults);
  return places.user_dir;
}

FolderPlaces standard_places(std::optional<fs::path> home_option) {
  FolderPlaces places;
  places.home_option = std::move(home_option);
  places.exe_dir = fs::path(from_qt(QCoreApplication::applicationDirPath()));
  places.user_dir = fs::path(from_qt(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
  places.defaults = {places.exe_dir.parent_path() / "share" / "lg81xx", fs::path(LG81XX_INSTALL_DATADIR)};
  return places;
}

}  // namespace lg81xx::gui
