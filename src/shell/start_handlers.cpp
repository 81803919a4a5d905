// The window opens: the program folder made ready, then the model and port lists.
#include "jobs/start_up.h"
#include "link/port_names.h"
#include "shell/window_model.h"

namespace lg81xx {

StartResult WindowModel::start_up() {
  if (report(lg81xx::start_up(jobs_, home_)) != JobResult::ok) return StartResult::fatal;
  controls_.model_box.items = {"LG U8110", "LG U8120", "LG U8130", "LG U8138"};
  choose_model("");
  controls_.port_box.items.clear();
  for (int n = 1; n <= kComItems; ++n) controls_.port_box.items.push_back(com_item(n));
  choose_port("");
  phone().hold_line();  // nothing to keep alive before a connect
  return StartResult::ok;
}

}  // namespace lg81xx
