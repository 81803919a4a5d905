#include "window_snapshot.h"

#include "shell/window_model.h"

namespace lg81xx::gui {

WindowSnapshot take_snapshot(const WindowModel& model, std::uint64_t inputs_seen) {
  return {inputs_seen, model.controls(), model.phone().is_open(), model.fast()};
}

}  // namespace lg81xx::gui
