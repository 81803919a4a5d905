#pragma once
// A copy of what the window shows of the model. The worker thread takes it, the GUI
// thread draws it: the GUI never reads Form1 itself while a handler may be writing it.
#include <cstdint>
#include <string>

#include "shell/controls.h"

namespace lg81xx {
class Form1;
}

namespace lg81xx::gui {

struct FormSnapshot {
  // How many of the user's edits (texts, ticks, selections) the model had taken in when
  // this copy was made; older copies must not overwrite newer edits on the screen.
  std::uint64_t inputs_seen = 0;

  ComboBox Combo1;
  ComboBox Combo2;
  bool port_open = false;
  bool fast = false;  // the link waits for complete replies instead of full intervals
  std::string Label3;  // IMEI
  std::string Label4;  // information text
  Label Label5;        // progress caption and width 0 .. 6375
  std::string Label8;
  bool ledr = false;
  std::string Text1;
  bool nokia = false;
  std::string selected_sound;  // control name, empty for none
  ListBox List1;
  ListBox List2;
  bool Command1 = true, Command2 = true, Command3 = true, Command4 = true, Command5 = true, Command7 = true;
};

// Called on the thread that runs the handlers.
FormSnapshot take_snapshot(Form1& form, std::uint64_t inputs_seen);

}  // namespace lg81xx::gui
