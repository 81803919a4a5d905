#include "phone/phone.h"

namespace lg81xx {
namespace {

constexpr std::int64_t kKeepAliveWaitMs = 100;

}  // namespace

Phone::Phone(SerialPort& port, Clock& clock, PhoneEvents& events)
    : port_(port), link_(port, clock), events_(events), frames_(make_session_frames()) {}

bool Phone::open(const std::string& device) {
  if (!port_.open(device)) return false;
  sequence_ = 0;
  held_ = true;
  return true;
}

void Phone::disconnect() {
  held_ = true;
  link_.send(frames_.disconnect_frame);
  port_.close();
}

void Phone::keep_alive() {
  link_.settle(frames_.keep_alive_frame, kKeepAliveWaitMs);
  events_.lamp(false);
}

Bytes Phone::lit_exchange(const Bytes& frame, std::int64_t wait_ms) {
  events_.lamp(true);
  Bytes reply = link_.settle(frame, wait_ms);
  events_.lamp(false);
  return reply;
}

}  // namespace lg81xx
