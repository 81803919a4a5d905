#include "platform/port_diagnosis.h"

#include <algorithm>

namespace lg81xx {
namespace {

constexpr unsigned kReadWrite = 06;

Finding finding(FindingKind kind, Severity severity) {
  Finding f;
  f.kind = kind;
  f.severity = severity;
  return f;
}

// Why `user` may not open the device.
Finding refusal(const DeviceFacts& device, const Identity& user) {
  Finding f = finding(FindingKind::cannot_open, Severity::problem);
  f.group = device.group;
  f.owner = device.owner;
  f.mode = device.mode;
  const bool owner = device.owner_uid == user.uid;
  if (owner) {
    if ((device.mode >> 6 & kReadWrite) != kReadWrite) f.kind = FindingKind::mode_keeps_out;
  } else if (!device.in_group_now) {
    f.kind = device.in_group_listed ? FindingKind::group_needs_new_login : FindingKind::not_in_group;
  } else if ((device.mode >> 3 & kReadWrite) != kReadWrite) {
    f.kind = FindingKind::mode_keeps_out;
  }
  return f;
}

}  // namespace

std::vector<Finding> diagnose(const DeviceFacts& device, const Identity& user,
                              const std::vector<Process>& modem_manager) {
  if (!device.exists) return {finding(FindingKind::no_device, Severity::problem)};
  std::vector<Finding> findings;
  findings.push_back(device.can_open ? finding(FindingKind::can_open, Severity::fine) : refusal(device, user));

  for (const Process& holder : device.holders) {
    Finding f = finding(FindingKind::held_by, Severity::problem);
    f.process = holder;
    findings.push_back(f);
  }
  if (device.holders.empty() && device.processes_unseen > 0) {
    Finding f = finding(FindingKind::processes_unseen, Severity::note);
    f.count = device.processes_unseen;
    findings.push_back(f);
  }

  if (modem_manager.empty()) {
    findings.push_back(finding(FindingKind::modem_manager_not_running, Severity::fine));
  } else {
    Finding f = !device.udev ? finding(FindingKind::modem_manager_unknown, Severity::note)
                : device.udev->modem_manager_ignores
                    ? finding(FindingKind::modem_manager_kept_away, Severity::fine)
                    : finding(FindingKind::modem_manager_not_kept_away, Severity::problem);
    f.process = modem_manager.front();
    findings.push_back(f);
  }
  return findings;
}

const Finding* first_problem(const std::vector<Finding>& findings) {
  const auto it =
      std::find_if(findings.begin(), findings.end(), [](const Finding& f) { return f.severity == Severity::problem; });
  return it == findings.end() ? nullptr : &*it;
}

}  // namespace lg81xx
