#include "port_option.h"

#include "jobs/port_choice.h"

namespace lg81xx::cli {

std::optional<std::string> port_to_open(const std::optional<std::string>& given, const std::vector<PortInfo>& ports,
                                        std::ostream& err) {
  if (given && given->find_first_not_of(' ') != std::string::npos) return given;
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
