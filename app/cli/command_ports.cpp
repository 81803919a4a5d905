// ports: the serial ports this computer offers.
#include "commands.h"
#include "exit_status.h"
#include "platform/qt/qt_serial_port.h"

namespace lg81xx::cli {

int run_ports(Terminal& term) {
  const auto ports = available_ports();
  if (ports.empty()) term.err << "lg81xx-cli: no serial ports found (the virtual phone is --port sim)\n";
  for (const auto& port : ports) term.out << port.device << "\t" << port.description << "\n";
  return kSuccess;
}

}  // namespace lg81xx::cli
