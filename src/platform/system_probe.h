#pragma once
// What the machine says about its serial ports, for the diagnosis of a link that does
// not work: the ports and their USB adapters, and for one device node who owns it, who
// may open it, what udev knows of it, and who else has it open. Everything here is read,
// nothing is opened or changed.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lg81xx {

struct SerialPortFacts {
  std::string device;  // "/dev/ttyACM0"
  std::optional<std::uint16_t> usb_vendor;
  std::optional<std::uint16_t> usb_product;
  std::string manufacturer;  // the USB device's own texts, when it has them
  std::string product;
  std::string driver;              // "cdc_acm"
  std::vector<std::string> links;  // the /dev/serial/by-id names that lead to it
};

struct Process {
  int pid = 0;
  std::string name;  // as the system names it ("ModemManager")
  bool operator==(const Process&) const = default;
};

// The user the program runs as, with the groups this login session has.
struct Identity {
  unsigned uid = 0;
  std::string user;
  std::vector<unsigned> groups;
};

struct UdevFacts {
  bool modem_manager_ignores = false;  // ID_MM_DEVICE_IGNORE=1, as the package's rule sets it
  bool seat_access = false;            // tagged uaccess: the user at the machine may open it
};

struct DeviceFacts {
  std::string path;    // as asked
  std::string device;  // where its links lead
  bool exists = false;
  unsigned owner_uid = 0;
  unsigned group_gid = 0;
  std::string owner;  // names, or the numbers as text when the system has none
  std::string group;
  unsigned mode = 0;                 // the permission bits
  bool can_open = false;             // for reading and writing, by this user
  bool in_group_now = false;         // this session has the device's group
  bool in_group_listed = false;      // the group database lists the user in it
  std::optional<UdevFacts> udev;     // nothing when udev keeps no record of the device
  std::vector<Process> holders;      // other processes that have it open
  std::size_t processes_unseen = 0;  // processes whose open files this user may not see
};

class SystemProbe {
 public:
  virtual ~SystemProbe() = default;
  // The serial ports of real hardware (no pseudo-terminals, no unused built-in ports).
  virtual std::vector<SerialPortFacts> serial_ports() = 0;
  virtual DeviceFacts device(const std::string& path) = 0;
  // The running processes of that name.
  virtual std::vector<Process> processes_named(const std::string& name) = 0;
  virtual Identity identity() = 0;
};

}  // namespace lg81xx
