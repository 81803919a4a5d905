#pragma once
// A copy of what the window shows of the model. The worker thread takes it, the GUI
// thread draws it: the GUI never reads WindowModel itself while a handler may be writing it.
#include <cstdint>

#include "shell/controls.h"

namespace lg81xx {
class WindowModel;
}

namespace lg81xx::gui {

struct WindowSnapshot {
  // How many of the user's edits (texts, ticks, selections) the model had taken in when
  // this copy was made; older copies must not overwrite newer edits on the screen.
  std::uint64_t inputs_seen = 0;

  Controls controls;
  bool port_open = false;
  bool fast = false;  // the link waits for complete replies instead of full intervals
};

// Called on the thread that runs the handlers.
WindowSnapshot take_snapshot(const WindowModel& model, std::uint64_t inputs_seen);

}  // namespace lg81xx::gui
