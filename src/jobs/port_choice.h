#pragma once
// Which port is the phone's when the user has not said: the one port on a phone cable
// (USB vendor 1004). The command line connects there; the window preselects it.
#include <optional>
#include <string>
#include <vector>

#include "platform/port_list.h"

namespace lg81xx {

struct PortChoice {
  std::optional<PortInfo> port;      // the one port on a phone cable
  std::vector<PortInfo> candidates;  // otherwise: the phone cables when several, every port when none
};

PortChoice find_phone_port(const std::vector<PortInfo>& ports);

// The text the port box starts with: the one phone cable's item when there is one (it is where
// the phone is now), otherwise `remembered`, the port of the last run.
std::string preselected_port(const std::vector<PortInfo>& ports, const std::string& remembered);

}  // namespace lg81xx
