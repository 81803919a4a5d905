#include "port_option.h"

#include <filesystem>

#include "arguments.h"
#include "jobs/port_choice.h"
#include "link/port_names.h"

namespace lg81xx::cli {
namespace {

// A name that is a file or link here (a pseudo-terminal's link in the current folder) is
// that file, made absolute: the serial port would look for a bare name under /dev.
std::string as_given(const std::string& port) {
  std::error_code ec;
  if (port_kind(port) != PortKind::serial || com_number(port) || port.starts_with('/') ||
      !std::filesystem::exists(std::filesystem::symlink_status(port, ec)))
    return port;
  const auto absolute = std::filesystem::absolute(port, ec);
  return ec ? port : absolute.lexically_normal().string();
}

}  // namespace

std::optional<std::string> port_to_open(const std::optional<std::string>& given, const std::vector<PortInfo>& ports,
                                        std::ostream& err) {
  if (given && given->find_first_not_of(' ') != std::string::npos) return as_given(*given);
  const PortChoice choice = find_phone_port(ports);
  if (choice.port) {
    err << "lg81xx-cli: using " << choice.port->device
        << ", the one port on a phone cable (choose another with --port)\n";
    return choice.port->device;
  }
  err << "lg81xx-cli: choose the phone's port with --port (a device such as /dev/ttyACM0, \"COM  3\", or sim)";
  if (choice.candidates.empty()) {
    err << "; no serial port was found\n";
    return std::nullopt;
  }
  err << (ports.size() == choice.candidates.size() ? "; the ports found:\n" : "; the ports on a phone cable:\n");
  print_ports(choice.candidates, err);
  return std::nullopt;
}

void print_ports(const std::vector<PortInfo>& ports, std::ostream& out) {
  for (const auto& port : ports)
    out << port.device << "\t" << port.description << (is_phone_cable(port) ? "\tphone cable" : "") << "\n";
}

}  // namespace lg81xx::cli
