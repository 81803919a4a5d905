#pragma once
// A copy of what the window shows of the model. The worker thread takes it, the GUI
// thread draws it: the GUI never reads Form1 itself while a handler may be writing it.
#include <cstdint>

#include "shell/controls.h"

namespace lg81xx {
class Form1;
}

namespace lg81xx::gui {

struct FormSnapshot {
  // How many of the user's edits (texts, ticks, selections) the model had taken in when
  // this copy was made; older copies must not overwrite newer edits on the screen.
  std::uint64_t inputs_seen = 0;

  Controls controls;
  bool port_open = false;
  bool fast = false;  // the link waits for complete replies instead of full intervals
};

// Called on the thread that runs the handlers.
FormSnapshot take_snapshot(const Form1& form, std::uint64_t inputs_seen);

}  // namespace lg81xx::gui
