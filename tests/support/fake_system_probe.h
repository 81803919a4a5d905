#pragma once
#include <string>
#include <vector>

#include "platform/system_probe.h"

namespace lg81xx::testing {

// A machine of ports and processes, as the probe would find it.
class FakeSystemProbe final : public SystemProbe {
 public:
  std::vector<SerialPortFacts> ports;
  std::vector<DeviceFacts> devices;
  std::vector<Process> modem_manager;
  Identity user{1000, "anna", {1000}};

  std::vector<SerialPortFacts> serial_ports() override { return ports; }
  DeviceFacts device(const std::string& path) override {
    for (const auto& d : devices)
      if (d.path == path) return d;
    DeviceFacts missing;
    missing.path = path;
    return missing;
  }
  std::vector<Process> processes_named(const std::string& name) override {
    return name == "ModemManager" ? modem_manager : std::vector<Process>{};
  }
  Identity identity() override { return user; }
};

}  // namespace lg81xx::testing
