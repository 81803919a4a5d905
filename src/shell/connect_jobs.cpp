// Command1 connects and disconnects; Timer1 keeps an idle line alive.
#include "link/port_names.h"
#include "shell/form1.h"
#include "shell/messages.h"

namespace lg81xx {

JobResult Form1::connect_or_disconnect() {
  controls_.Label3.caption.clear();
  controls_.Label4.caption.clear();
  if (phone_.is_open()) {
    phone_.disconnect();
    return JobResult::ok;
  }

  const std::string& chosen = controls_.Combo2.text;
  const std::string device = port_device(chosen);
  if (device.empty()) {
    if (com_number(chosen)) return stop(text::kBadComItem);  // "COM  21" names no port item
    return stop(text::kNoPortChosen, JobResult::not_connected);
  }
  if (!phone_.open(device)) {
    const auto text = port_failure_text(phone_.port_failure(), device, phone_.port_error());
    return stop(text.c_str(), JobResult::not_connected);
  }

  controls_.Label3.caption = phone_.query_imei();
  const auto information = phone_.start_session();
  if (!information.ok()) return report(Job::connect, information.result);
  controls_.Label4.caption = information.value;
  platform_.ui.repaint();

  const bool has_folders = phone_.family() != Family::none;  // neither family: the list stays as it was
  if (has_folders) controls_.List1.clear();
  const auto folders = phone_.read_folders();
  if (has_folders) controls_.List1.items = folders.value;
  if (!folders.ok()) return report(Job::connect, folders.result);
  return propose_position();
}

bool Form1::keep_alive_tick() {
  // A job under way (or a connect not yet complete) holds the line; a closed port has none.
  if (!phone_.line_free()) return false;
  lamp(true);
  phone_.keep_alive();
  return true;
}

}  // namespace lg81xx
