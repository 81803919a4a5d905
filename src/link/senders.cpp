// The eight fixed-frame senders, the traffic lamp around them and the keep-alive timer.
// Each sender writes its frame, waits its fixed time and returns whatever arrived; the
// callers decide what to make of it.
#include "shell/form1.h"

namespace lg81xx {
namespace {

// The red lamp, repainted at once, for the length of one fixed exchange.
Bytes with_lamp(Form1& form, const Bytes& frame, std::int64_t wait_ms) {
  form.show_lamp(true);
  Bytes reply = form.link().settle(frame, wait_ms);
  form.show_lamp(false);
  return reply;
}

}  // namespace

Bytes Form1::query_imei() {
  ledr.visible = true;  // shown without the immediate repaint
  Bytes reply = link_.settle(frames.imei_query_frame, 400);
  show_lamp(false);
  return reply;
}

Bytes Form1::enter_obex_mode() { return with_lamp(*this, frames.obex_mode_frame, 300); }

Bytes Form1::obex_connect() { return with_lamp(*this, frames.obex_connect_frame, 300); }

Bytes Form1::open_session() {
  Bytes reply = link_.settle(frames.session_open_frame, 300);
  frame_seq = 1;
  return reply;
}

Bytes Form1::request_phone_info() { return with_lamp(*this, frames.phone_info_frame, 300); }

Bytes Form1::send_command_2081() { return link_.settle(frames.command_2081_frame, 300); }

Bytes Form1::request_root_list() { return with_lamp(*this, frames.root_list_frame, 50); }

Bytes Form1::send_keep_alive() {
  link_.settle(frames.keep_alive_frame, 100);  // the phone's answer is of no interest
  show_lamp(false);
  return {};
}

void Form1::Timer1_Timer() {
  // A job under way (or a link that is not ready) owns the line; a closed port has none.
  if (link_busy || !platform_.port.is_open()) return;
  if (ledr.visible)
    ledr.visible = false;
  else
    show_lamp(true);
  send_keep_alive();
  if (!platform_.port.is_open()) link_busy = true;  // the line went away: nothing more to keep alive
}

}  // namespace lg81xx
