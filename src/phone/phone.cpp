#include "phone/phone.h"

namespace lg81xx {
namespace {

constexpr std::int64_t kKeepAliveWaitMs = 100;
// A busy phone is asked again this many times at most, each time after a keep-alive
// answered within this wait.
constexpr int kBusyRetries = 10;
constexpr std::int64_t kBusyPauseMs = 400;

}  // namespace

Phone::Phone(SerialPort& port, Clock& clock, PhoneEvents& events)
    : port_(port), link_(port, clock), events_(events), frames_(make_session_frames()) {}

bool Phone::open(const std::string& device) {
  if (!port_.open(device)) return false;
  sequence_ = 0;
  held_ = true;
  connect_warnings_.clear();
  link_.forget_input();
  return true;
}

void Phone::disconnect() {
  link_.send(frames_.disconnect_frame);
  close();
}

void Phone::close() {
  port_.close();
  link_.clear_cancel();
}

void Phone::keep_alive() {
  // No job: a cancel meant for one does not hold it back.
  link_.send(frames_.keep_alive_frame);
  link_.await({kKeepAliveWaitMs, 1});
  events_.lamp(false);
}

Reply Phone::lit_exchange(const Bytes& frame, std::int64_t wait_ms, Framing framing) {
  events_.lamp(true);
  Reply reply = link_.settle(frame, wait_ms, framing);
  events_.lamp(false);
  return reply;
}

Reply Phone::ask(const Bytes& request, const WaitRule& wait, bool (*busy)(const Reply&)) {
  Reply reply = link_.exchange(request, wait);
  for (int retry = 0; retry < kBusyRetries && busy(reply); ++retry) {
    link_.settle(frames_.keep_alive_frame, kBusyPauseMs);
    reply = link_.exchange(request, wait);
  }
  return reply;
}

}  // namespace lg81xx
