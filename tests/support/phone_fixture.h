#pragma once
// A Phone on a scripted fake port and a virtual clock, with the lamp and progress it reports.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "phone/phone.h"
#include "support/fake_serial_port.h"

namespace lg81xx::testing {

class RecordingEvents final : public PhoneEvents {
 public:
  void lamp(bool red) override { lamps.push_back(red); }
  void progress(std::uint64_t done, std::uint64_t total) override { steps.emplace_back(done, total); }
  std::vector<bool> lamps;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> steps;
};

class PhoneFixture : public ::testing::Test {
 protected:
  PhoneFixture() : port(clock), phone(port, clock, events) {}

  // The line open to a phone of `model`, free as after a connect.
  void connected(const std::string& model) {
    phone.set_model(model);
    phone.open("COM1");
    phone.free_line();
  }

  VirtualClock clock;
  FakeSerialPort port;
  RecordingEvents events;
  Phone phone;
};

}  // namespace lg81xx::testing
