// "Connetti/Disconnetti" connects and disconnects; the keep-alive timer keeps an idle line
// alive.
#include "shell/window_model.h"

namespace lg81xx {

JobResult WindowModel::connect_or_disconnect() {
  controls_.imei.caption.clear();
  controls_.information.caption.clear();
  if (!phone().is_open()) return connect();
  disconnect_phone(jobs_);
  show_where_it_stands();
  return JobResult::ok;
}

JobResult WindowModel::connect() {
  auto connected = [this] {
    Working working(*this, text::kStatusConnecting, false);
    auto outcome = connect_phone(jobs_, {model(), controls_.port_box.text});
    reading_java_.reset();
    return outcome;
  }();
  // A step the phone did not answer as it should closed the port: report() takes what the
  // connect showed off the window.
  return report(connected);
}

// Each answer of the connect on show as it comes: the IMEI, the information text at once,
// the folders, and the folder "Java" with the position proposed from it.
void WindowModel::learned(const PhoneFacts& facts) {
  facts_ = facts;
  device_ = facts.device;
  switch (facts.reached) {
    case ConnectStage::imei: controls_.imei.caption = facts.imei.value_or(text::kImeiNotRead); break;
    case ConnectStage::information:
      controls_.information.caption = facts.information;
      platform_.ui.repaint();
      controls_.folders_list.clear();
      break;
    case ConnectStage::folders:
      controls_.folders_list.items = facts.folders;
      reading_java_.emplace(*this, std::string(text::kStatusReadingFolder) + "Java...");
      clear_java_list();
      break;
    case ConnectStage::java_list: show_java_list(*facts.java, false); break;
    case ConnectStage::none:
    case ConnectStage::opened: break;
  }
}

void WindowModel::hang_up() {
  if (!phone().is_open()) return;
  disconnect_phone(jobs_);
  show_where_it_stands();
}

bool WindowModel::keep_alive_tick() {
  const bool sent = keep_alive(jobs_);
  show_where_it_stands();  // a line found dead ends the session on the window too
  return sent;
}

}  // namespace lg81xx
