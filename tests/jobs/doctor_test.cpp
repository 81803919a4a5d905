// The connection's diagnosis: the ports and what stands in each one's way, from the facts a
// probe of the system gives; and a connect that tries each family.
#include "jobs/doctor.h"

#include <gtest/gtest.h>

#include "support/fake_system_probe.h"
#include "support/jobs_fixture.h"
#include "support/phone_on_fake_port.h"

namespace lg81xx::testing {
namespace {

bool has(const std::vector<std::string>& lines, const std::string& part) {
  for (const auto& line : lines)
    if (line.find(part) != std::string::npos) return true;
  return false;
}

DeviceFacts node(const std::string& path, bool can_open, std::vector<Process> holders = {}, bool rule = true) {
  DeviceFacts d;
  d.path = d.device = path;
  d.exists = true;
  d.owner = "root";
  d.group = "dialout";
  d.group_gid = 20;
  d.mode = 0660;
  d.can_open = can_open;
  d.holders = std::move(holders);
  d.udev = UdevFacts{rule, rule};
  return d;
}

// A free phone cable, a cable this user may not open, and an adapter another program holds;
// with ModemManager running and not.
TEST(Doctor, TellsForEachPortWhatStandsInItsWay) {
  FakeSystemProbe probe;
  probe.ports = {{"/dev/ttyACM0", 0x1004, 0x6000, "LG Electronics Inc.", "LG CDMA USB Modem", "cdc_acm", {}},
                 {"/dev/ttyACM1", 0x1004, 0x6000, "", "", "cdc_acm", {}},
                 {"/dev/ttyUSB0", 0x067B, 0x2303, "Prolific", "USB-Serial", "pl2303", {}}};
  probe.devices = {node("/dev/ttyACM0", true), node("/dev/ttyACM1", false, {}, false),
                   node("/dev/ttyUSB0", true, {{4242, "minicom"}})};
  struct Case {
    std::vector<Process> modem_manager;
    std::optional<std::string> port;
    std::vector<std::string> says;
    std::vector<std::string> never;
    std::string problem;
  };
  const Case cases[] = {
      {{},
       std::nullopt,
       {"/dev/ttyACM0  USB 1004:6000  LG Electronics Inc. LG CDMA USB Modem  (phone cable)", "  rw-rw---- root dialout",
        "  you may open it", "/dev/ttyUSB0  USB 067b:2303  Prolific USB-Serial", "  held by minicom (pid 4242)",
        "join the group dialout", "/usr/lib/udev/rules.d/70-lg81xx.rules", "ModemManager does not run",
        "no phone tried: lg81xx-cli doctor --port PORT"},
       {"ModemManager runs"},
       "/dev/ttyACM1: you may not open it: join the group dialout"},
      {{{812, "ModemManager"}},
       "/dev/ttyACM1",
       {"ModemManager runs (pid 812) and the udev rule keeps it away",
        "ModemManager runs (pid 812) and may probe this device"},
       {"ModemManager does not run"},
       "/dev/ttyACM1: you may not open it: join the group dialout"},
      {{}, "/dev/ttyUSB0", {}, {}, "/dev/ttyUSB0: held by minicom (pid 4242)"},
      {{}, "/dev/ttyACM9", {"/dev/ttyACM9", "the device is not there"}, {}, "/dev/ttyACM9: the device is not there"},
  };
  for (const auto& c : cases) {
    probe.modem_manager = c.modem_manager;
    const DoctorReport report = examine_connection(probe, c.port);
    const auto lines = doctor_lines(report);
    std::string all;
    for (const auto& line : lines) all += line + "\n";
    for (const auto& part : c.says) EXPECT_TRUE(has(lines, part)) << part << "\n" << all;
    for (const auto& part : c.never) EXPECT_FALSE(all.find(part) != std::string::npos) << part << "\n" << all;
    const auto problem = doctor_problem(report);
    ASSERT_TRUE(problem) << all;
    EXPECT_EQ(problem->rfind(c.problem, 0), 0u) << *problem;
  }
}

// Without --port the one phone cable is tried; with two, none is. A port given is looked at
// once, by whichever of its names, and a device that is no serial port after the others.
TEST(Doctor, TriesTheOnePhoneCable) {
  FakeSystemProbe probe;
  probe.ports = {{"/dev/ttyACM0", 0x1004, 0x6000, "", "", "", {}}, {"/dev/ttyS0", {}, {}, "", "", "", {}}};
  EXPECT_EQ(examine_connection(probe, std::nullopt).port, "/dev/ttyACM0");
  probe.ports.push_back({"/dev/ttyUSB9", {}, {}, "", "", "", {}});  // listed, its node gone since
  DeviceFacts cable = node("/dev/serial/by-id/usb-LG-if00", true);
  cable.device = "/dev/ttyACM0";
  DeviceFacts terminal = node("/dev/by-name/terminal", true);
  terminal.device = "/dev/pts/3";
  probe.devices = {node("/dev/ttyACM0", true), cable, node("/dev/ttyS0", true), node("/dev/pts/3", true), terminal};
  for (const auto& [given, ports] : std::vector<std::pair<std::string, std::size_t>>{{"/dev/ttyACM0", 3},
                                                                                     {cable.path, 3},
                                                                                     {"COM  1", 3},
                                                                                     {"/dev/ttyUSB9", 3},
                                                                                     {"/dev/pts/3", 4},
                                                                                     {terminal.path, 4},
                                                                                     {"sim", 3}}) {
    const auto report = examine_connection(probe, given);
    EXPECT_EQ(report.ports.size(), ports) << given;
    EXPECT_EQ(report.port, given);
  }
  probe.ports.push_back({"/dev/ttyACM1", 0x1004, 0x6000, "", "", "", {}});
  EXPECT_FALSE(examine_connection(probe, std::nullopt).port);
}

class DoctorPhone : public JobsFixture {};

// A U8120 tried as a U8130 names itself, and answers as its own family; its IMEI shows only
// its last four digits.
TEST_F(DoctorPhone, NamesTheModelThatAnsweredAndHidesTheImei) {
  TempDir storage;
  sim::VirtualPhone phone({"LG U8120", "354321098765432", storage.path(), 0});
  answer_with(port, phone);
  DoctorReport report;
  report.port = "/dev/virtual";
  try_phone(jobs, "/dev/virtual", report);
  ASSERT_TRUE(report.phone);
  ASSERT_EQ(report.phone->tries.size(), 2u);
  EXPECT_EQ(report.phone->tries[0].result, JobResult::bad_input);
  EXPECT_EQ(report.phone->model, "LG U8120");
  EXPECT_EQ(report.phone->information, "U8120");
  EXPECT_EQ(report.phone->masked_imei, "***********5432");
  EXPECT_FALSE(doctor_problem(report));
  const auto lines = doctor_lines(report);
  EXPECT_TRUE(has(lines, "  model: LG U8120"));
  EXPECT_TRUE(has(lines, "  IMEI: ***********5432"));
  EXPECT_FALSE(has(lines, "354321098765432"));
  EXPECT_FALSE(port.is_open());
  EXPECT_EQ(jobs.phone().link().mode(), WaitMode::fast);
}

TEST_F(DoctorPhone, ASilentPhoneIsTheProblemOfItsPort) {
  DoctorReport report;
  report.port = "/dev/virtual";
  try_phone(jobs, "/dev/virtual", report);
  ASSERT_TRUE(report.phone);
  EXPECT_FALSE(report.phone->answered());
  EXPECT_EQ(report.phone->tries.size(), 2u);
  const auto problem = doctor_problem(report);
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->rfind("/dev/virtual: the phone did not answer as LG U8120", 0), 0u) << *problem;
  EXPECT_FALSE(port.is_open());
}

}  // namespace
}  // namespace lg81xx::testing
