// The window opens: the archive component, LG81XX.ini, the emulation classes on the first
// start, and the model and port lists.
#include "shell/config_file.h"
#include "shell/form1.h"
#include "shell/messages.h"

namespace lg81xx {
namespace {

constexpr const char* kEmuArchive = "emu.zip";

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

  // First start: unpack the emulation classes once. The archiver works in-process and is
  // finished when it returns; a missing archive simply leaves no "emu" folder behind.
  if (field == kFirstStartField) {
    const auto archive = home_ / kEmuArchive;
    if (files.exists(archive)) platform_.archiver.extract(archive, home_);
  }

  files.save(ini_path, kIniAfterFirstStart, Replace::regular_file);  // a read-only folder only costs the next start a re-extract

  controls_.Combo1.items = {"LG U8110", "LG U8120", "LG U8130", "LG U8138"};
  choose_model("");
  controls_.Combo2.items.clear();
  for (int n = 1; n <= 20; ++n) controls_.Combo2.items.push_back("COM  " + std::to_string(n));
  choose_port("");

  phone_.hold_line();  // nothing to keep alive before a connect
  return StartResult::ok;
}

}  // namespace lg81xx
