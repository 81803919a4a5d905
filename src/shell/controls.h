#pragma once
// Plain models of the window's controls, under their names on the window: what the view
// shows and the handlers change.
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

struct Button {
  std::string caption;
  bool enabled = true;
};

struct TextBox {
  std::string text;
};

struct CheckBox {
  std::string caption;
  bool value = false;
};

struct OptionButton {
  std::string name;  // control name: mes1 .. batt
  std::string caption;
  bool value = false;
};

struct ComboBox {
  std::vector<std::string> items;
  std::string text;  // Combo1: one of its items or nothing; Combo2: any device as typed
  bool enabled = true;
};

struct ListBox {
  std::vector<std::string> items;
  int list_index = -1;      // selected row, -1 for none
  std::vector<int> chosen;  // the rows chosen together, where the list allows several
  std::string text() const {
    return list_index >= 0 && list_index < static_cast<int>(items.size()) ? items[list_index] : std::string{};
  }
  void clear() {
    items.clear();
    list_index = -1;
    chosen.clear();
  }
};

struct Picture {
  bool visible = true;
};

using SoundOptions = std::array<OptionButton, kSoundTable.size()>;

// One option button per system sound, the first one chosen.
inline SoundOptions sound_option_buttons() {
  SoundOptions options;
  for (std::size_t i = 0; i < kSoundTable.size(); ++i)
    options[i] = {std::string(kSoundTable[i].control), std::string(kSoundTable[i].caption), i == 0};
  return options;
}

// Every control of the window.
struct Controls {
  Label Label1{"Modello Telefono"};
  ComboBox Combo1;  // the phone model
  Label Label2{"Porta Comm"};
  ComboBox Combo2;  // the port
  Button Command1{"Connetti/Disconnetti"};
  ProgressBar Label5{"Label5"};
  std::array<std::string, 3> SSTab1{"Applicazioni JAVA", "SUONI di Sistema", "File Manager"};
  Label Label6{"Posizione di inserimento"};
  TextBox Text1{"00"};  // the insertion position
  Label Label7{"FILE CARICATO"};
  Label Label8;  // the archive loaded for the install
  Label Label10{"JAVA"};
  Button Command2{"Carica JAD e JAR"};
  CheckBox nokia{"ABILITA EMULAZIONE NOKIA MIDP"};
  Button Command3{"INVIA"};
  Button Command4{"Command4"};  // the read probe
  Button Command5{"Carica Nuovo Suono"};
  SoundOptions sound_options = sound_option_buttons();  // mes1 .. batt
  ListBox List1;                                        // the phone's folders
  ListBox List2;                                        // the entries of the folder listed last
  Button Command7{"DownLoad"};
  Button send_file{"Invia file al telefono"};
  Label Label9{"Dati"};
  Picture ledv{true};                       // the traffic lamp: green underneath,
  Picture ledr{false};                      // red over it while a request is on the line
  Label Label3;                             // IMEI
  Label Label4;                             // information text
  Label status{text::kStatusNotConnected};  // where the window stands: the phone on the line, or the job under way

  // The chosen sound's option button, if any.
  const OptionButton* selected_sound() const {
    for (const auto& option : sound_options)
      if (option.value) return &option;
    return nullptr;
  }
};

}  // namespace lg81xx
