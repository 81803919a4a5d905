#pragma once
// Plain models of what the window shows and the handlers change: the choices of model and
// port, what the phone told, the lists, the position, the progress and the status line.
// The widgets that draw them are named in app/gui/widget_names.h.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "phone/sound_table.h"
#include "shell/window_texts.h"

namespace lg81xx {

struct Label {
  std::string caption;
};

// How far a transfer is, and its caption ("37.5 %", "100%").
struct ProgressBar {
  std::string caption;
  double fraction = 0;  // 0 .. 1
};

struct TextBox {
  std::string text;
};

// The option button of one system sound.
struct SoundOption {
  std::string sound;  // mes1 .. batt, as the sound table names it
  std::string caption;
  bool chosen = false;
};

struct ComboBox {
  std::vector<std::string> items;
  std::string text;  // the model box: one of its items or nothing; the port box: any device as typed
  bool enabled = true;
};

struct ListBox {
  std::vector<std::string> items;
  int selected_row = -1;    // -1 for none
  std::vector<int> chosen;  // the rows chosen together, where the list allows several
  std::string text() const {
    return selected_row >= 0 && selected_row < static_cast<int>(items.size()) ? items[selected_row] : std::string{};
  }
  void clear() {
    items.clear();
    selected_row = -1;
    chosen.clear();
  }
};

using SoundOptions = std::array<SoundOption, kSoundTable.size()>;

// One option button per system sound, the first one chosen.
inline SoundOptions sound_option_buttons() {
  SoundOptions options;
  for (std::size_t i = 0; i < kSoundTable.size(); ++i)
    options[i] = {std::string(kSoundTable[i].name), std::string(kSoundTable[i].caption), i == 0};
  return options;
}

// What the window shows.
struct Controls {
  ComboBox model_box;
  ComboBox port_box;
  Label imei;
  Label information;
  bool lamp_red = false;           // the traffic lamp: red while a request is on the line, green otherwise
  ProgressBar progress{"Label5"};  // the legacy label's own caption, shown until the first transfer
  TextBox position_box{"00"};      // the insertion position
  Label loaded_archive;            // the archive loaded for the install
  bool nokia_emulation = false;    // the Nokia emulation classes added to the archive loaded
  SoundOptions sound_options = sound_option_buttons();
  ListBox folders_list;                     // the phone's folders
  ListBox entries_list;                     // the entries of the folder listed last
  Label status{text::kStatusNotConnected};  // where the window stands: the phone on the line, or the job under way

  // The chosen sound's option button, if any.
  const SoundOption* selected_sound() const {
    for (const auto& option : sound_options)
      if (option.chosen) return &option;
    return nullptr;
  }
};

}  // namespace lg81xx
