#pragma once
// The connection's diagnosis: what stands between the program and the phone, in the order
// a person checks it. Every serial port with its USB adapter (the phones' cables marked),
// and for each its device node's owner, group and mode, whether this user may open it,
// which other program holds it, and whether ModemManager is kept away from it; then, on
// one port, a connect in fast timing with each family in turn, which says the model that
// answered, its information text and its IMEI with all but the last four digits hidden.
#include <optional>
#include <string>
#include <vector>

#include "jobs/job_context.h"
#include "platform/port_diagnosis.h"
#include "platform/system_probe.h"

namespace lg81xx {

struct PortExamined {
  SerialPortFacts port;  // a device the system does not list as a port: its path alone
  bool phone_cable = false;
  DeviceFacts device;
  std::vector<Finding> findings;
};

// One connect tried as `model`, and how it ended.
struct ConnectTry {
  std::string model;
  JobResult result = JobResult::ok;
  std::optional<Message> message;
};

struct PhoneAnswer {
  std::vector<ConnectTry> tries;     // in their order; the last is the one that answered, if any
  std::optional<std::string> model;  // the model that answered
  std::string information;
  std::optional<std::string> masked_imei;  // "***********5432"; nothing when the phone gave none
  bool answered() const { return model.has_value(); }
};

struct DoctorReport {
  std::vector<PortExamined> ports;
  std::vector<Process> modem_manager;  // its processes, when it runs
  std::optional<std::string> port;     // the port a connect is tried on
  std::optional<PhoneAnswer> phone;
};

// The system's side: every port the probe lists, and `port` (as typed: a device, or "sim")
// among them or after them. The port a connect is tried on is `port`, or else the one
// phone cable when there is exactly one.
DoctorReport examine_connection(SystemProbe& probe, const std::optional<std::string>& port);

// The phone on `port` (report.port as the line opens it), over `jobs`' line: a connect in
// fast timing as each family in turn until one answers, then a disconnect.
void try_phone(JobContext& jobs, const std::string& port, DoctorReport& report);

// The report for a person, a line each, in English.
std::vector<std::string> doctor_lines(const DoctorReport& report);

// Nothing when a phone answered; otherwise the port and the first problem found, one line.
std::optional<std::string> doctor_problem(const DoctorReport& report);

}  // namespace lg81xx
