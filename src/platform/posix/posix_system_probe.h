#pragma once
// The system probe on Linux: the ports from sysfs (/sys/class/tty and the USB devices
// above them), the device nodes under /dev, udev's records under /run/udev/data, the
// processes under /proc, and the user and group databases under /etc. Every path is
// read under `root`, so a test can lay out a whole machine in a folder of its own.
#include <filesystem>
#include <optional>

#include "platform/system_probe.h"

namespace lg81xx {

class PosixSystemProbe final : public SystemProbe {
 public:
  struct Options {
    std::filesystem::path root = "/";
    // Another user to judge for; by default this program's own, and whether it may open
    // a device is then the kernel's answer (rights, ACLs, root) rather than the mode's.
    std::optional<Identity> identity = std::nullopt;
  };
  PosixSystemProbe() : PosixSystemProbe(Options{}) {}
  explicit PosixSystemProbe(Options options);

  std::vector<SerialPortFacts> serial_ports() override;
  DeviceFacts device(const std::string& path) override;
  std::vector<Process> processes_named(const std::string& name) override;
  Identity identity() override { return identity_; }

 private:
  std::filesystem::path under_root(const std::string& system_path) const;
  std::optional<std::string> resolve(const std::string& system_path) const;
  std::string read_line(const std::string& system_path) const;

  std::filesystem::path root_;
  Identity identity_;
  bool own_identity_;
};

}  // namespace lg81xx
