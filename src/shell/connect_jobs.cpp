// Command1 connects and disconnects; Timer1 keeps an idle line alive.
#include "link/port_names.h"
#include "shell/form1.h"
#include "shell/messages.h"

namespace lg81xx {
namespace {

const char* step_text(ConnectStep step) {
  switch (step) {
    case ConnectStep::imei: return "alla lettura dell'IMEI";
    case ConnectStep::obex_mode: return "al passaggio in modalità OBEX";
    case ConnectStep::obex_connect: return "alla connessione OBEX";
    case ConnectStep::session: return "all'apertura della sessione";
    case ConnectStep::information: return "alla lettura delle informazioni del telefono";
    case ConnectStep::folders: return "alla lettura delle cartelle";
  }
  return "";
}

}  // namespace

JobResult Form1::connect_or_disconnect() {
  controls_.Label3.caption.clear();
  controls_.Label4.caption.clear();
  if (phone_.is_open()) {
    phone_.disconnect();
    show_where_it_stands();
    return JobResult::ok;
  }

  // Every exchange takes its form from the model: without one there is nothing to say.
  if (model().empty()) return stop(text::kNoModelChosen, JobResult::not_connected);
  const std::string& chosen = controls_.Combo2.text;
  const std::string device = port_device(chosen);
  if (device.empty()) {
    if (com_number(chosen)) return stop(text::kBadComItem);  // "COM  21" names no port item
    return stop(text::kNoPortChosen, JobResult::not_connected);
  }
  Underway underway(*this, text::kStatusConnecting);
  if (!phone_.open(device)) {
    const auto text = port_failure_text(phone_.port_failure(), device, phone_.port_error());
    return stop(text.c_str(), JobResult::not_connected);
  }
  device_ = device;

  const auto imei = phone_.query_imei();
  if (!imei.ok()) return connect_failed(imei.result, imei.step, imei.phone_model);
  controls_.Label3.caption = imei.value.value_or("");  // not read: nothing shown as an IMEI
  const auto information = phone_.start_session();
  if (!information.ok()) return connect_failed(information.result, information.step, information.phone_model);
  controls_.Label4.caption = information.value;
  platform_.ui.repaint();

  controls_.List1.clear();
  const auto folders = phone_.read_folders();
  if (!folders.ok()) return connect_failed(folders.result, folders.step, folders.phone_model);
  controls_.List1.items = folders.value;
  return propose_position();
}

void Form1::hang_up() {
  if (!phone_.is_open()) return;
  phone_.disconnect();
  show_where_it_stands();
}

// A step the phone did not answer as it should: nothing of the connect stays on show, the
// port is closed, and the message says which step failed (or which model the phone is).
JobResult Form1::connect_failed(JobResult result, ConnectStep step, const std::string& phone_model) {
  controls_.Label3.caption.clear();
  controls_.Label4.caption.clear();
  controls_.List1.clear();
  // Goodbye only to a phone that opened its session.
  if (step >= ConnectStep::session)
    phone_.disconnect();
  else
    phone_.close();
  if (result == JobResult::bad_input) return report(Job::connect, result, " " + phone_model);
  if (result == JobResult::interrupted) return report(Job::connect, result);
  return report(Job::connect, result, ": connessione interrotta " + std::string(step_text(step)));
}

bool Form1::keep_alive_tick() {
  // A job under way (or a connect not yet complete) holds the line; a closed port has none.
  if (!phone_.line_free()) return false;
  lamp(true);
  phone_.keep_alive();
  return true;
}

}  // namespace lg81xx
