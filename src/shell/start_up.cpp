// The window opens: the archive component, LG81XX.ini, the emulation classes when they
// are not unpacked yet, and the model and port lists.
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

  const auto ini_path = home_ / kIniName;
  const auto ini = files.read_all(ini_path);
  const std::string field = ini ? ini_first_field(*ini) : std::string{};
  if (field.empty()) {
    ui.message_box(text::kInternalText, MessageStyle::critical, text::kInternalTitle);
    return StartResult::fatal;
  }

  // The emulation classes are unpacked at the first start, or at the next one after
  // emu.zip was put into the program folder. Only its folder "emu" is unpacked, whole or
  // not at all; a missing archive simply leaves no "emu" folder behind.
  const auto archive = home_ / kEmuArchive;
  if (!files.exists(home_ / kEmuFolder) && files.exists(archive) &&
      !platform_.archiver.extract_folder(archive, kEmuFolder, home_))
    ui.message_box(text::kBadEmuArchive, MessageStyle::warning, "");

  files.save(ini_path, kIniAfterFirstStart, Replace::regular_file);  // a read-only folder changes nothing

  controls_.Combo1.items = {"LG U8110", "LG U8120", "LG U8130", "LG U8138"};
  choose_model("");
  controls_.Combo2.items.clear();
  for (int n = 1; n <= 20; ++n) controls_.Combo2.items.push_back("COM  " + std::to_string(n));
  choose_port("");

  phone_.hold_line();  // nothing to keep alive before a connect
  return StartResult::ok;
}

}  // namespace lg81xx
