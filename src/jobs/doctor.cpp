#include "jobs/doctor.h"

#include <algorithm>
#include <cstdio>

#include "jobs/connect.h"
#include "link/port_names.h"
#include "phone/model_family.h"
#include "phone/trace/privacy_filter.h"
#include "platform/port_list.h"

namespace lg81xx {
namespace {

// One model of each family: the phone names its own model in its information text.
constexpr const char* kFamilyModels[] = {"LG U8130", "LG U8120"};

// The model whose code begins the information text ("U8130 V10c-EUR"), when it is one of the four.
std::optional<std::string> model_in(const std::string& information) {
  const std::string model = "LG " + information.substr(0, std::min<std::size_t>(5, information.size()));
  return is_known_model(model) ? std::optional(model) : std::nullopt;
}

}  // namespace

DoctorReport examine_connection(SystemProbe& probe, const std::optional<std::string>& port) {
  DoctorReport report;
  report.modem_manager = probe.processes_named("ModemManager");
  const Identity user = probe.identity();
  auto examine = [&](SerialPortFacts facts) {
    PortExamined examined;
    examined.phone_cable = facts.usb_vendor == kPhoneCableVendor;
    examined.device = probe.device(facts.device);
    examined.findings = diagnose(examined.device, user, report.modem_manager);
    examined.port = std::move(facts);
    report.ports.push_back(std::move(examined));
  };
  for (auto& facts : probe.serial_ports()) examine(std::move(facts));

  const std::string device = port ? port_device(*port) : std::string{};
  if (!device.empty() && device.front() == '/') {
    // A device given by one of its links (/dev/serial/by-id/...) is the port it leads to.
    const DeviceFacts given = probe.device(device);
    const auto listed = std::find_if(report.ports.begin(), report.ports.end(), [&](const PortExamined& p) {
      return p.port.device == device || (given.exists && p.device.device == given.device);
    });
    if (listed == report.ports.end()) {
      SerialPortFacts unlisted;
      unlisted.device = device;
      examine(std::move(unlisted));
    }
  }
  if (port) {
    report.port = port;
  } else {
    std::vector<const PortExamined*> cables;
    for (const auto& p : report.ports)
      if (p.phone_cable) cables.push_back(&p);
    if (cables.size() == 1) report.port = cables.front()->port.device;
  }
  return report;
}

void try_phone(JobContext& jobs, const std::string& port, DoctorReport& report) {
  PhoneAnswer answer;
  jobs.phone().link().set_mode(WaitMode::fast);
  for (const char* model : kFamilyModels) {
    const auto connected = connect_phone(jobs, {model, port});
    answer.tries.push_back({model, connected.result, connected.message});
    // A Java list that could not be read still means that the phone answered the connect.
    if (connected.value.reached >= ConnectStage::information) {
      answer.model = model_in(connected.value.information).value_or(model);
      answer.information = connected.value.information;
      if (connected.value.imei) answer.masked_imei = masked_imei(*connected.value.imei);
      disconnect_phone(jobs);
      break;
    }
    // A connect that failed has closed the port. A port that does not open opens no better as another model.
    if (connected.result == JobResult::not_connected || connected.result == JobResult::interrupted) break;
  }
  report.phone = std::move(answer);
}

}  // namespace lg81xx
