#pragma once
// The port a phone command opens when --port is not given: the one port on a phone
// cable, said on standard error; with none or several, the candidates are listed instead.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/port_list.h"

namespace lg81xx::cli {

// `given` when there is one (a name that is a file in the current folder made its absolute
// path); otherwise the phone cable's port from `ports`, or nothing
// after the lines that list the candidates on `err`.
std::optional<std::string> port_to_open(const std::optional<std::string>& given, const std::vector<PortInfo>& ports,
                                        std::ostream& err);

// What `lg81xx-cli ports` prints: a line per port, "device<TAB>description", and
// "<TAB>phone cable" after the ports whose USB vendor is the phones' own.
void print_ports(const std::vector<PortInfo>& ports, std::ostream& out);

}  // namespace lg81xx::cli
