// The doctor's report for a person: the ports, what stands in each one's way and what to
// do about it, and how the phone answered.
#include <algorithm>
#include <cstdio>

#include "jobs/doctor.h"
#include "link/port_names.h"

namespace lg81xx {
namespace {

constexpr const char* kRule = "/usr/lib/udev/rules.d/70-lg81xx.rules";

std::string hex4(std::uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", value);
  return text;
}

// "crw-rw----" without the type: the permission bits as ls shows them.
std::string mode_text(unsigned mode) {
  std::string text;
  const char* letters = "rwx";
  for (int bit = 8; bit >= 0; --bit) text += (mode >> bit & 1U) ? letters[(8 - bit) % 3] : '-';
  return text;
}

std::string process_text(const Process& p) { return p.name + " (pid " + std::to_string(p.pid) + ")"; }

std::string finding_text(const Finding& f) {
  switch (f.kind) {
    case FindingKind::no_device: return "the device is not there: plug the phone's cable in, or check the name";
    case FindingKind::can_open: return "you may open it";
    case FindingKind::not_in_group:
      return "you may not open it: join the group " + f.group + " (sudo usermod -aG " + f.group +
             " \"$USER\", then log in again), or install the package, whose udev rule " + kRule +
             " lets the user at the machine open a phone's cable (vendor 1004)";
    case FindingKind::group_needs_new_login:
      return "you may not open it yet: you were added to the group " + f.group +
             ", but this login session does not have it; log out and in again";
    case FindingKind::mode_keeps_out:
      return "you may not open it: its mode " + mode_text(f.mode) + " (owner " + f.owner + ", group " + f.group +
             ") refuses reading and writing; the udev rule " + kRule + " sets the access of a phone's cable";
    case FindingKind::cannot_open:
      return "you may not open it (an access list or a read-only system refuses it): ask the machine's "
             "administrator, or install the package's udev rule " +
             std::string(kRule);
    case FindingKind::held_by: return "held by " + process_text(f.process) + ": close that program first";
    case FindingKind::processes_unseen:
      return "no other program seen holding it, but " + std::to_string(f.count) +
             " processes of other users could not be looked at";
    case FindingKind::modem_manager_not_running: return "ModemManager does not run";
    case FindingKind::modem_manager_kept_away:
      return "ModemManager runs (pid " + std::to_string(f.process.pid) + ") and the udev rule keeps it away";
    case FindingKind::modem_manager_not_kept_away:
      return "ModemManager runs (pid " + std::to_string(f.process.pid) +
             ") and may probe this device: install the package's udev rule " + kRule +
             ", then sudo udevadm control --reload && sudo udevadm trigger, and plug the cable in again";
    case FindingKind::modem_manager_unknown:
      return "ModemManager runs (pid " + std::to_string(f.process.pid) +
             "); udev keeps no record of this device to tell whether it is kept away";
  }
  return {};
}

std::string port_heading(const PortExamined& p) {
  std::string line = p.port.device;
  if (p.port.usb_vendor)
    line += "  USB " + hex4(*p.port.usb_vendor) + ":" + (p.port.usb_product ? hex4(*p.port.usb_product) : "????");
  std::string names = p.port.manufacturer;
  if (!p.port.product.empty()) names += (names.empty() ? "" : " ") + p.port.product;
  if (!names.empty()) line += "  " + names;
  if (p.phone_cable) line += "  (phone cable)";
  return line;
}

std::string result_text(const ConnectTry& t) {
  if (t.message) return t.message->italian() + " (" + t.message->english() + ")";
  switch (t.result) {
    case JobResult::ok: return "answered";
    default: return "did not answer";
  }
}

}  // namespace

std::vector<std::string> doctor_lines(const DoctorReport& report) {
  std::vector<std::string> lines;
  if (report.ports.empty()) lines.push_back("no serial ports found: plug the phone's cable in");
  for (const auto& p : report.ports) {
    lines.push_back(port_heading(p));
    if (p.device.exists) {
      std::string node = "  " + mode_text(p.device.mode) + " " + p.device.owner + " " + p.device.group;
      if (!p.device.device.empty() && p.device.device != p.port.device) node += "  -> " + p.device.device;
      lines.push_back(node);
    }
    for (const auto& f : p.findings) lines.push_back("  " + finding_text(f));
  }
  const bool told = std::any_of(report.ports.begin(), report.ports.end(), [](const PortExamined& p) {
    return p.findings.size() > 1 || (p.findings.size() == 1 && p.findings[0].kind != FindingKind::no_device);
  });
  if (!told) {
    lines.push_back(report.modem_manager.empty()
                        ? "ModemManager does not run"
                        : "ModemManager runs (pid " + std::to_string(report.modem_manager.front().pid) + ")");
  }
  if (!report.port) {
    lines.push_back("no phone tried: lg81xx-cli doctor --port PORT tries the phone on PORT");
    return lines;
  }
  if (!report.phone) return lines;
  lines.push_back("connect on " + *report.port + " (fast timing):");
  for (const auto& t : report.phone->tries) lines.push_back("  as " + t.model + ": " + result_text(t));
  if (report.phone->answered()) {
    lines.push_back("  model: " + *report.phone->model);
    lines.push_back("  information: " + report.phone->information);
    lines.push_back("  IMEI: " + report.phone->masked_imei.value_or("not read"));
  }
  return lines;
}

std::optional<std::string> doctor_problem(const DoctorReport& report) {
  if (report.phone && report.phone->answered()) return std::nullopt;
  const std::string port = report.port.value_or("no port");
  const std::string device = report.port ? port_device(*report.port) : std::string{};
  for (const auto& p : report.ports) {
    // The port tried, or without one the phones' cables.
    if (report.port ? p.port.device != device && p.device.device != device : !p.phone_cable) continue;
    if (const Finding* f = first_problem(p.findings)) return p.port.device + ": " + finding_text(*f);
  }
  if (!report.port) return std::string("no phone tried: lg81xx-cli doctor --port PORT tries the phone on PORT");
  if (report.phone && !report.phone->tries.empty())
    return port + ": the phone did not answer as " + report.phone->tries.back().model + ": " +
           result_text(report.phone->tries.back());
  return port + ": no phone answered";
}

}  // namespace lg81xx
