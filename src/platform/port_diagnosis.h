#pragma once
// What stands between the program and a serial device, from the facts the system probe
// gathered, in the order a person checks them: the device is there; this user may open
// it (or what to do: join its group, log in again); no other program has it open; and
// ModemManager, which probes USB modems, is kept away from it by the package's udev rule.
#include <string>
#include <vector>

#include "platform/system_probe.h"

namespace lg81xx {

enum class FindingKind {
  no_device,              // nothing at the path
  can_open,               // this user may open it for reading and writing
  not_in_group,           // may not: the device belongs to `group`, and the user is not in it
  group_needs_new_login,  // the user was added to `group`; this login session does not have it yet
  mode_keeps_out,         // the user owns it or is in `group`, and its `mode` still refuses
  cannot_open,            // refused for another reason (an access list, a read-only system)
  held_by,                // `process` has it open
  processes_unseen,       // no holder seen, but `count` processes of other users could not be looked at
  modem_manager_not_running,
  modem_manager_kept_away,      // `process` runs, and the rule applies to the device
  modem_manager_not_kept_away,  // `process` runs, and udev's record of the device lacks the rule
  modem_manager_unknown,        // `process` runs, and udev keeps no record of the device to tell
};

enum class Severity { fine, note, problem };

struct Finding {
  FindingKind kind = FindingKind::no_device;
  Severity severity = Severity::fine;
  std::string group;      // not_in_group, group_needs_new_login, mode_keeps_out
  std::string owner;      // mode_keeps_out
  unsigned mode = 0;      // mode_keeps_out
  Process process;        // held_by and the ModemManager findings
  std::size_t count = 0;  // processes_unseen
};

// `user` is the one the facts were gathered for; `modem_manager` the running processes
// of ModemManager (SystemProbe::processes_named("ModemManager")).
std::vector<Finding> diagnose(const DeviceFacts& device, const Identity& user,
                              const std::vector<Process>& modem_manager);

// The first finding that keeps the link from working, or nothing.
const Finding* first_problem(const std::vector<Finding>& findings);

}  // namespace lg81xx
