#pragma once
// A FakeSerialPort whose "phone" is the VirtualPhone: each written frame is answered with
// the phone's bytes, readable `after_ms` later on the virtual clock.
#include <memory>

#include "support/fake_serial_port.h"
#include "virtual_phone.h"

namespace lg81xx::testing {

inline void answer_with(FakeSerialPort& port, sim::VirtualPhone& phone, std::int64_t after_ms = 0) {
  port.on_write = [&port, &phone, after_ms](const Bytes& frame) {
    Bytes reply = phone.receive(frame);
    if (!reply.empty()) port.arrive(std::move(reply), after_ms);
  };
}

}  // namespace lg81xx::testing
