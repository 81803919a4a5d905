// The diagnosis of a serial device, on a machine laid out in a folder: sysfs, /dev,
// udev's records, /proc and the account databases, as the probe reads them.
#include "platform/port_diagnosis.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/posix/posix_system_probe.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;
constexpr const char* kCableLink = "/dev/serial/by-id/usb-LG_Electronics_Inc._LG_CDMA_USB_Modem-if00";

// A machine with two LG cables (ttyACM0, ttyACM1), a USB adapter of another maker
// (ttyUSB0), a built-in port (ttyS0), an unused one (ttyS1) and a console (tty1).
class FakeMachine {
 public:
  FakeMachine() {
    usb_port("usb1/1-1", "1-1:1.0", "ttyACM0", "166:0", "1004", "6000", "LG Electronics Inc.", "LG CDMA USB Modem",
             "cdc_acm");
    usb_port("usb1/1-3", "1-3:1.0", "ttyACM1", "166:1", "1004", "6000", "LG Electronics Inc.", "LG CDMA USB Modem",
             "cdc_acm");
    // A USB-serial adapter has one more folder between its interface and its tty.
    usb_port("usb2/2-1", "2-1:1.0/ttyUSB0", "ttyUSB0", "188:0", "067b", "2303", "Prolific", "USB-Serial", "pl2303");
    builtin_port("ttyS0", "4");
    builtin_port("ttyS1", "0");
    write("sys/devices/virtual/tty/tty1/dev", "4:1\n");
    link("sys/class/tty/tty1", "../../devices/virtual/tty/tty1");
    link(kCableLink + 1, "../../ttyACM0");
    struct stat st {};
    ::stat((dir_ / "dev/ttyACM0").c_str(), &st);
    owner_ = st.st_uid;
    group_ = st.st_gid;
    write("etc/passwd", "owner:x:" + std::to_string(owner_) + ":" + std::to_string(group_) +
                            "::/:/bin/sh\nanna:x:" + std::to_string(anna().uid) + ":" +
                            std::to_string(anna().groups[0]) + "::/home/anna:/bin/sh\n");
  }

  const fs::path& root() const { return dir_.path(); }
  // A user who is neither the owner of the devices nor in their group.
  Identity anna() const { return {owner_ + 1, "anna", {group_ + 1}}; }
  unsigned device_group() const { return group_; }

  // dialout becomes the group anna logs in with.
  void dialout_first_for_anna() {
    write("etc/passwd",
          "anna:x:" + std::to_string(anna().uid) + ":" + std::to_string(group_) + "::/home/anna:/bin/sh\n");
  }
  void groups(const std::string& dialout_members) {
    write("etc/group", "dialout:x:" + std::to_string(group_) + ":" + dialout_members +
                           "\nanna:x:" + std::to_string(group_ + 1) + ":\n");
  }
  void mode(const std::string& device, unsigned mode) { fs::permissions(dir_ / device, static_cast<fs::perms>(mode)); }
  void udev(const std::string& numbers, const std::string& record) { write("run/udev/data/c" + numbers, record); }
  void process(int pid, const std::string& name, const std::vector<std::string>& open) {
    const std::string folder = "proc/" + std::to_string(pid);
    write(folder + "/comm", name + "\n");
    fs::create_directories(dir_ / folder / "fd");
    int fd = 3;
    for (const auto& file : open) fs::create_symlink(file, dir_ / folder / "fd" / std::to_string(fd++));
  }

 private:
  void write(const std::string& path, const std::string& text) { testing::write_file(dir_ / path, text); }
  void link(const std::string& path, const std::string& target) {
    fs::create_directories((dir_ / path).parent_path());
    fs::create_symlink(target, dir_ / path);
  }
  void usb_port(const std::string& usb, const std::string& interface, const std::string& name,
                const std::string& numbers, const std::string& vendor, const std::string& product,
                const std::string& maker, const std::string& product_name, const std::string& driver) {
    const std::string device = "sys/devices/" + usb;
    write(device + "/idVendor", vendor + "\n");
    write(device + "/idProduct", product + "\n");
    write(device + "/manufacturer", maker + "\n");
    write(device + "/product", product_name + "\n");
    const std::string port = device + "/" + interface;
    write(port + "/tty/" + name + "/dev", numbers + "\n");
    link(port + "/tty/" + name + "/device", "../..");
    fs::create_directories(dir_ / "sys/bus/usb-serial/drivers" / driver);
    link(port + "/driver", "/sys/bus/usb-serial/drivers/" + driver);
    link("sys/class/tty/" + name, "../../" + port.substr(4) + "/tty/" + name);
    write("dev/" + name, "");
  }
  void builtin_port(const std::string& name, const std::string& type) {
    const std::string port = "sys/devices/platform/serial8250/tty/" + name;
    write(port + "/type", type + "\n");
    link(port + "/device", "../..");
    link("sys/class/tty/" + name, "../../devices/platform/serial8250/tty/" + name);
    write("dev/" + name, "");
  }

  TempDir dir_;
  unsigned owner_ = 0;
  unsigned group_ = 0;
};

TEST(SystemProbe, ListsTheSerialPortsOfRealHardware) {
  FakeMachine machine;
  PosixSystemProbe probe({machine.root(), machine.anna()});
  const auto ports = probe.serial_ports();
  ASSERT_EQ(ports.size(), 4u);
  EXPECT_EQ(ports[0].device, "/dev/ttyACM0");
  EXPECT_EQ(ports[0].usb_vendor, 0x1004);
  EXPECT_EQ(ports[0].usb_product, 0x6000);
  EXPECT_EQ(ports[0].manufacturer, "LG Electronics Inc.");
  EXPECT_EQ(ports[0].product, "LG CDMA USB Modem");
  EXPECT_EQ(ports[0].driver, "cdc_acm");
  EXPECT_EQ(ports[0].links, std::vector<std::string>{kCableLink});
  EXPECT_EQ(ports[1].device, "/dev/ttyACM1");
  EXPECT_TRUE(ports[1].links.empty());
  EXPECT_EQ(ports[2].device, "/dev/ttyS0");
  EXPECT_FALSE(ports[2].usb_vendor);
  EXPECT_EQ(ports[3].device, "/dev/ttyUSB0");
  EXPECT_EQ(ports[3].usb_vendor, 0x067B);
  EXPECT_EQ(ports[3].driver, "pl2303");
}

TEST(PortDiagnosis, FindsWhatStandsBetweenTheProgramAndTheDevice) {
  using K = FindingKind;
  const std::string ignore = "E:ID_VENDOR_ID=1004\nE:ID_MM_DEVICE_IGNORE=1\nG:uaccess\n";
  const std::string no_rule = "E:ID_VENDOR_ID=1004\n";
  const Process modem_manager{812, "ModemManager"};
  const std::vector<Process> mm = {modem_manager};
  struct Case {
    const char* what;
    std::vector<K> kinds;
    std::optional<K> first = std::nullopt;
    std::vector<Process> running = {};       // besides the holders
    std::optional<std::string> record = {};  // udev's record of ttyACM0
    unsigned mode = 0660;
    bool in_group = true;        // this session has the device's group
    std::string listed = "";     // dialout's members in /etc/group
    bool dialout_first = false;  // dialout is anna's group in /etc/passwd
    std::string path = kCableLink;
  };
  const std::optional<K> none;
  const K open = K::can_open, no_mm = K::modem_manager_not_running, held = K::held_by, out = K::not_in_group,
          next_login = K::group_needs_new_login, mode_out = K::mode_keeps_out,
          not_kept = K::modem_manager_not_kept_away;
  const Case cases[] = {
      {"a free port, the rule applied", {open, K::modem_manager_kept_away}, none, mm, ignore},
      {"a free port, no ModemManager, no udev", {open, no_mm}},
      {"ModemManager runs and the rule does not apply", {open, not_kept}, not_kept, mm, no_rule},
      {"ModemManager runs and udev cannot tell", {open, K::modem_manager_unknown}, none, mm},
      {"held by another program", {open, held, no_mm}, held, {}, {}, 0660, true, "", false, "/dev/ttyACM1"},
      {"not in its group", {out, no_mm}, out, {}, {}, 0660, false},
      {"in the group from the next login", {next_login, no_mm}, next_login, {}, {}, 0660, false, "root,anna"},
      {"the mode keeps the group out", {mode_out, no_mm}, mode_out, {}, {}, 0600, true, "anna"},
      {"open to everyone", {open, no_mm}, none, {}, {}, 0666, false},
      {"its group anna's own from the next login", {next_login, no_mm}, next_login, {}, {}, 0660, false, "", true},
      {"no such device", {K::no_device}, K::no_device, mm, ignore, 0660, true, "", false, "/dev/ttyACM9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeMachine machine;
    machine.groups(c.listed);
    if (c.dialout_first) machine.dialout_first_for_anna();
    machine.mode("dev/ttyACM0", c.mode);
    machine.mode("dev/ttyACM1", c.mode);
    machine.process(4242, "minicom", {"/dev/ttyACM1", "/dev/null"});
    machine.process(4300, "bash", {"/dev/pts/1"});
    for (const Process& p : c.running) machine.process(p.pid, p.name, {});
    if (c.record) machine.udev("166:0", *c.record);
    Identity anna = machine.anna();
    if (c.in_group) anna.groups.push_back(machine.device_group());
    PosixSystemProbe probe({machine.root(), anna});

    const DeviceFacts facts = probe.device(c.path);
    const auto findings = diagnose(facts, anna, probe.processes_named("ModemManager"));
    std::vector<K> kinds;
    for (const auto& f : findings) kinds.push_back(f.kind);
    EXPECT_EQ(kinds, c.kinds);
    const Finding* first = first_problem(findings);
    EXPECT_EQ(first ? std::optional(first->kind) : std::nullopt, c.first);
    if (!facts.exists) continue;
    EXPECT_EQ(facts.device, c.path == kCableLink ? "/dev/ttyACM0" : c.path);
    EXPECT_EQ(facts.mode, c.mode);
    EXPECT_EQ(facts.group, "dialout");
    EXPECT_EQ(facts.owner, c.dialout_first ? std::to_string(facts.owner_uid) : "owner");
    for (const auto& f : findings) {
      if (f.kind == K::not_in_group || f.kind == K::group_needs_new_login || f.kind == K::mode_keeps_out) {
        EXPECT_EQ(f.group, "dialout");
      } else if (f.kind == K::held_by) {
        EXPECT_EQ(f.process, (Process{4242, "minicom"}));
      } else if (f.kind == K::modem_manager_not_kept_away) {
        EXPECT_EQ(f.process, modem_manager);
      }
    }
  }
}

// Why a device refuses its user, where only the kernel's answer says it does.
TEST(PortDiagnosis, NamesWhyTheUserIsRefused) {
  using K = FindingKind;
  const Identity anna{1000, "anna", {1000}};
  struct Case {
    unsigned owner;
    bool in_group;
    bool listed;
    unsigned mode;
    K kind;
  };
  const Case cases[] = {
      {1000, false, false, 0060, K::mode_keeps_out},    {1000, false, false, 0600, K::cannot_open},
      {0, true, true, 0606, K::mode_keeps_out},         {0, true, true, 0660, K::cannot_open},
      {0, false, true, 0660, K::group_needs_new_login}, {0, false, false, 0660, K::not_in_group},
  };
  for (const Case& c : cases) {
    DeviceFacts device;
    device.exists = true;
    device.owner_uid = c.owner;
    device.group = "dialout";
    device.in_group_now = c.in_group;
    device.in_group_listed = c.listed;
    device.mode = c.mode;
    const auto findings = diagnose(device, anna, {});
    EXPECT_EQ(findings.front().kind, c.kind) << std::oct << c.mode;
    EXPECT_EQ(first_problem(findings), &findings.front());
  }
}

TEST(PortDiagnosis, ModemManagerHoldingTheCableIsBothFound) {
  FakeMachine machine;
  machine.groups("");
  machine.mode("dev/ttyACM0", 0660);
  machine.process(812, "ModemManager", {"/dev/ttyACM0"});
  machine.udev("166:0", "E:ID_VENDOR_ID=1004\n");
  Identity anna = machine.anna();
  anna.groups.push_back(machine.device_group());
  PosixSystemProbe probe({machine.root(), anna});
  const auto findings = diagnose(probe.device(kCableLink), anna, probe.processes_named("ModemManager"));
  ASSERT_EQ(findings.size(), 3u);
  EXPECT_EQ(findings[1].kind, FindingKind::held_by);
  EXPECT_EQ(findings[1].process, (Process{812, "ModemManager"}));
  EXPECT_EQ(findings[2].kind, FindingKind::modem_manager_not_kept_away);
  EXPECT_EQ(first_problem(findings), &findings[1]);
}

}  // namespace
}  // namespace lg81xx::testing
