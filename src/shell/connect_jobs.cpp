// Command1 connects and disconnects; Timer1 keeps an idle line alive.
#include "shell/form1.h"

namespace lg81xx {

JobResult Form1::connect_or_disconnect() {
  controls_.Label3.caption.clear();
  controls_.Label4.caption.clear();
  if (!phone().is_open()) return connect();
  disconnect_phone(jobs_);
  show_where_it_stands();
  return JobResult::ok;
}

JobResult Form1::connect() {
  auto connected = [this] {
    Working working(*this, text::kStatusConnecting, false);
    auto outcome = connect_phone(jobs_, {model(), controls_.Combo2.text});
    reading_java_.reset();
    return outcome;
  }();
  const ConnectStage reached = connected.value.reached;
  // A step the phone did not answer as it should: nothing of the connect stays on show.
  if (reached >= ConnectStage::opened && reached < ConnectStage::folders && !connected.ok()) {
    controls_.Label3.caption.clear();
    controls_.Label4.caption.clear();
    controls_.List1.clear();
  }
  return report(connected);
}

// Each answer of the connect on show as it comes: the IMEI, the information text at once,
// the folders, and the folder "Java" with the position proposed from it.
void Form1::learned(const PhoneFacts& facts) {
  device_ = facts.device;
  switch (facts.reached) {
    case ConnectStage::imei: controls_.Label3.caption = facts.imei; break;
    case ConnectStage::information:
      controls_.Label4.caption = facts.information;
      platform_.ui.repaint();
      controls_.List1.clear();
      break;
    case ConnectStage::folders:
      controls_.List1.items = facts.folders;
      reading_java_.emplace(*this, std::string(text::kStatusReadingFolder) + "Java...");
      clear_java_list();
      break;
    case ConnectStage::java_list: show_java_list(*facts.java, false); break;
    case ConnectStage::none:
    case ConnectStage::opened: break;
  }
}

void Form1::hang_up() {
  if (!phone().is_open()) return;
  disconnect_phone(jobs_);
  show_where_it_stands();
}

bool Form1::keep_alive_tick() { return keep_alive(jobs_); }

}  // namespace lg81xx
