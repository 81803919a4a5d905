#include "jobs/port_choice.h"

#include "link/port_names.h"

namespace lg81xx {

PortChoice find_phone_port(const std::vector<PortInfo>& ports) {
  std::vector<PortInfo> cables;
  for (const auto& port : ports)
    if (is_phone_cable(port)) cables.push_back(port);
  if (cables.size() == 1) return {cables.front(), {}};
  return {std::nullopt, cables.empty() ? ports : cables};
}

std::string preselected_port(const std::vector<PortInfo>& ports, const std::string& remembered) {
  const auto found = find_phone_port(ports);
  return found.port ? port_item(found.port->device, found.port->description) : remembered;
}

}  // namespace lg81xx
