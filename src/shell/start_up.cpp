// The window opens: the archive component, LG81XX.ini, the emulation classes when they
// are not unpacked yet, and the model and port lists.
#include "link/port_names.h"
#include "shell/config_file.h"
#include "shell/form1.h"
#include "shell/messages.h"

namespace lg81xx {
namespace {

constexpr const char* kEmuArchive = "emu.zip";
constexpr const char* kEmuFolder = "emu";

}  // namespace

StartResult Form1::start_up() {
  auto& ui = platform_.ui;
  auto& files = platform_.files;

  if (!platform_.archiver.present()) {
    ui.message_box(text::kWinzipText, MessageStyle::critical, text::kWinzipTitle);
    return StartResult::fatal;
  }

  // A missing or empty LG81XX.ini is a first start, as a fresh copy saying "MIDP=0" is.
  const auto ini_path = home_ / kIniName;
  const auto ini = files.read_all(ini_path);
  const std::string field = ini ? ini_first_field(*ini) : std::string{};

  // The emulation classes are unpacked at the first start, or at the next one after
  // emu.zip was put into the program folder. Only its folder "emu" is unpacked, whole or
  // not at all; a missing archive simply leaves no "emu" folder behind.
  const auto archive = home_ / kEmuArchive;
  if (!files.exists(home_ / kEmuFolder) && files.exists(archive) &&
      !platform_.archiver.extract_folder(archive, kEmuFolder, home_))
    ui.message_box(text::kBadEmuArchive, MessageStyle::warning, "");

  // A folder that keeps an ini but cannot be written changes nothing; one that cannot
  // even hold the ini cannot hold the program's files.
  if (files.save(ini_path, kIniAfterFirstStart, Replace::regular_file) != SaveResult::ok && field.empty()) {
    const std::string text =
        std::string(text::kFolderNotWritable) + ": " + home_.string() + " (sceglierne un'altra con --home)";
    ui.message_box(text, MessageStyle::critical, text::kErrorTitle);
    return StartResult::fatal;
  }

  controls_.Combo1.items = {"LG U8110", "LG U8120", "LG U8130", "LG U8138"};
  choose_model("");
  controls_.Combo2.items.clear();
  for (int n = 1; n <= kComItems; ++n) controls_.Combo2.items.push_back(com_item(n));
  choose_port("");

  phone_.hold_line();  // nothing to keep alive before a connect
  return StartResult::ok;
}

}  // namespace lg81xx
