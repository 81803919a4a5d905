// ports: the serial ports this computer offers, the phones' cables marked.
#include "commands.h"
#include "jobs/exit_status.h"
#include "port_option.h"

namespace lg81xx::cli {

int run_ports(const GlobalOptions& options, Terminal& term) {
  const auto ports = options.list_ports();
  if (ports.empty()) term.err << "lg81xx-cli: no serial ports found (the virtual phone is --port sim)\n";
  print_ports(ports, term.out);
  return kSuccess;
}

}  // namespace lg81xx::cli
