#include "platform/posix/posix_system_probe.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <deque>
#include <fstream>
#include <map>
#include <sstream>

namespace lg81xx {
namespace {

namespace fs = std::filesystem;

constexpr int kMostLinks = 40;  // as the kernel follows them
constexpr const char* kModemManagerIgnore = "E:ID_MM_DEVICE_IGNORE=1";
constexpr const char* kSeatAccessTag = "G:uaccess";

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  for (;;) {
    const std::size_t end = text.find(separator);
    parts.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) return parts;
    text.remove_prefix(end + 1);
  }
}

std::string join(const std::vector<std::string>& parts) {
  std::string out;
  for (const auto& part : parts) out += "/" + part;
  return out.empty() ? "/" : out;
}

std::optional<unsigned> number_in(std::string_view text, int base = 10) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::string read_text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string first_line(const fs::path& path) {
  std::string text = read_text(path);
  text = text.substr(0, text.find('\n'));
  while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

// The system's own lookups, safe from any thread.
std::optional<passwd> system_user(unsigned uid, std::vector<char>& buffer) {
  passwd entry{};
  passwd* found = nullptr;
  buffer.resize(16384);
  if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return std::nullopt;
  return entry;
}

std::optional<group> system_group(unsigned gid, std::vector<char>& buffer) {
  group entry{};
  group* found = nullptr;
  buffer.resize(65536);
  if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return std::nullopt;
  return entry;
}

// The accounts of /etc/passwd and /etc/group under the root; on the machine itself, the
// system's own lookups answer for the names the files do not hold (network accounts).
class Accounts {
 public:
  Accounts(const fs::path& root, bool system) : system_(system) {
    for (const auto& line : split(read_text(root / "etc/passwd"), '\n')) {
      const auto fields = split(line, ':');
      const auto uid = fields.size() > 3 ? number_in(fields[2]) : std::nullopt;
      const auto gid = fields.size() > 3 ? number_in(fields[3]) : std::nullopt;
      if (uid && gid) users_[*uid] = {fields[0], *gid};
    }
    for (const auto& line : split(read_text(root / "etc/group"), '\n')) {
      const auto fields = split(line, ':');
      const auto gid = fields.size() > 2 ? number_in(fields[2]) : std::nullopt;
      if (!gid) continue;
      Group& group = groups_[*gid];
      group.name = fields[0];
      if (fields.size() > 3 && !fields[3].empty()) group.members = split(fields[3], ',');
    }
  }

  std::string user_name(unsigned uid) const {
    if (const auto it = users_.find(uid); it != users_.end()) return it->second.name;
    std::vector<char> buffer;
    if (system_)
      if (const auto entry = system_user(uid, buffer)) return entry->pw_name;
    return std::to_string(uid);
  }

  std::string group_name(unsigned gid) const {
    if (const auto it = groups_.find(gid); it != groups_.end()) return it->second.name;
    std::vector<char> buffer;
    if (system_)
      if (const auto entry = system_group(gid, buffer)) return entry->gr_name;
    return std::to_string(gid);
  }

  // Whether the databases put `user` in the group: as its primary group or as a member.
  bool lists(const Identity& user, unsigned gid) const {
    if (const auto it = users_.find(user.uid); it != users_.end() && it->second.gid == gid) return true;
    if (const auto it = groups_.find(gid); it != groups_.end())
      return std::find(it->second.members.begin(), it->second.members.end(), user.user) != it->second.members.end();
    if (!system_) return false;
    std::vector<char> buffer;
    if (const auto entry = system_user(user.uid, buffer); entry && entry->pw_gid == gid) return true;
    if (const auto entry = system_group(gid, buffer))
      for (char** member = entry->gr_mem; member != nullptr && *member != nullptr; ++member)
        if (user.user == *member) return true;
    return false;
  }

 private:
  struct User {
    std::string name;
    unsigned gid = 0;
  };
  struct Group {
    std::string name;
    std::vector<std::string> members;
  };
  bool system_;
  std::map<unsigned, User> users_;
  std::map<unsigned, Group> groups_;
};

// Whether the permission bits let `user` read and write a node of that owner and group.
bool mode_allows(const Identity& user, unsigned owner, unsigned gid, unsigned mode) {
  if (user.uid == 0) return true;
  unsigned bits = mode & 07;
  if (user.uid == owner) {
    bits = mode >> 6 & 07;
  } else if (std::find(user.groups.begin(), user.groups.end(), gid) != user.groups.end()) {
    bits = mode >> 3 & 07;
  }
  return (bits & 06) == 06;
}

Identity own_identity(const Accounts& accounts) {
  Identity identity;
  identity.uid = ::geteuid();
  identity.user = accounts.user_name(identity.uid);
  const int count = ::getgroups(0, nullptr);
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
  const int got = count > 0 ? ::getgroups(count, groups.data()) : 0;
  for (int i = 0; i < got; ++i) identity.groups.push_back(groups[static_cast<std::size_t>(i)]);
  identity.groups.push_back(::getegid());
  return identity;
}

}  // namespace

PosixSystemProbe::PosixSystemProbe(Options options)
    : root_(std::move(options.root)), own_identity_(!options.identity.has_value()) {
  identity_ = options.identity ? *options.identity : own_identity(Accounts(root_, root_ == "/"));
}

fs::path PosixSystemProbe::under_root(const std::string& system_path) const {
  return root_ / fs::path(system_path).relative_path();
}

std::string PosixSystemProbe::read_line(const std::string& system_path) const {
  return first_line(under_root(system_path));
}

// Every link on the way followed inside the root, as the kernel would follow it there.
std::optional<std::string> PosixSystemProbe::resolve(const std::string& system_path) const {
  std::string start = system_path;
  if (!fs::path(start).is_absolute()) start = root_ == "/" ? fs::absolute(start).string() : "/" + start;
  std::deque<std::string> todo;
  for (auto& part : split(start, '/')) todo.push_back(std::move(part));
  std::vector<std::string> done;
  int links = 0;
  while (!todo.empty()) {
    const std::string part = std::move(todo.front());
    todo.pop_front();
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!done.empty()) done.pop_back();
      continue;
    }
    done.push_back(part);
    struct stat st {};
    if (::lstat(under_root(join(done)).c_str(), &st) != 0) return std::nullopt;
    if (!S_ISLNK(st.st_mode)) continue;
    if (++links > kMostLinks) return std::nullopt;
    std::error_code ec;
    const fs::path target = fs::read_symlink(under_root(join(done)), ec);
    if (ec) return std::nullopt;
    done.pop_back();
    if (target.is_absolute()) done.clear();
    const auto parts = split(target.string(), '/');
    todo.insert(todo.begin(), parts.begin(), parts.end());
  }
  return join(done);
}

std::vector<SerialPortFacts> PosixSystemProbe::serial_ports() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(under_root("/sys/class/tty"), ec))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());

  std::vector<std::pair<std::string, std::string>> by_id;  // link, where it leads
  for (const auto& entry : fs::directory_iterator(under_root("/dev/serial/by-id"), ec)) {
    const std::string link = "/dev/serial/by-id/" + entry.path().filename().string();
    if (const auto target = resolve(link)) by_id.emplace_back(link, *target);
  }
  std::sort(by_id.begin(), by_id.end());

  std::vector<SerialPortFacts> ports;
  for (const auto& name : names) {
    const std::string base = "/sys/class/tty/" + name;
    const auto hardware = resolve(base + "/device");
    if (!hardware) continue;                         // a virtual terminal
    if (read_line(base + "/type") == "0") continue;  // a built-in port with no UART behind it
    SerialPortFacts port;
    port.device = "/dev/" + name;
    if (const auto driver = resolve(base + "/device/driver")) port.driver = fs::path(*driver).filename().string();
    // The USB device is the first folder above the port's interface that names a vendor.
    for (fs::path at = *hardware; at.has_relative_path() && at != "/sys/devices"; at = at.parent_path()) {
      const std::string folder = at.string();
      if (!fs::exists(under_root(folder + "/idVendor"))) continue;
      if (const auto vendor = number_in(read_line(folder + "/idVendor"), 16))
        port.usb_vendor = static_cast<std::uint16_t>(*vendor);
      if (const auto product = number_in(read_line(folder + "/idProduct"), 16))
        port.usb_product = static_cast<std::uint16_t>(*product);
      port.manufacturer = read_line(folder + "/manufacturer");
      port.product = read_line(folder + "/product");
      break;
    }
    for (const auto& [link, target] : by_id)
      if (target == port.device) port.links.push_back(link);
    ports.push_back(std::move(port));
  }
  return ports;
}

DeviceFacts PosixSystemProbe::device(const std::string& path) {
  DeviceFacts facts;
  facts.path = path;
  const auto resolved = resolve(path);
  facts.device = resolved.value_or(path);
  struct stat st {};
  if (!resolved || ::stat(under_root(*resolved).c_str(), &st) != 0) return facts;
  facts.exists = true;

  const Accounts accounts(root_, root_ == "/");
  facts.owner_uid = st.st_uid;
  facts.group_gid = st.st_gid;
  facts.owner = accounts.user_name(st.st_uid);
  facts.group = accounts.group_name(st.st_gid);
  facts.mode = st.st_mode & 07777;
  facts.in_group_now =
      std::find(identity_.groups.begin(), identity_.groups.end(), facts.group_gid) != identity_.groups.end();
  facts.in_group_listed = accounts.lists(identity_, facts.group_gid);
  facts.can_open = own_identity_ ? ::faccessat(AT_FDCWD, under_root(*resolved).c_str(), R_OK | W_OK, AT_EACCESS) == 0
                                 : mode_allows(identity_, facts.owner_uid, facts.group_gid, facts.mode);

  // udev keeps its record of a character device under its numbers.
  std::string numbers;
  if (S_ISCHR(st.st_mode)) {
    numbers = std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev));
  } else {
    numbers = read_line("/sys/class/tty/" + fs::path(*resolved).filename().string() + "/dev");
  }
  const fs::path record = under_root("/run/udev/data/c" + numbers);
  if (!numbers.empty() && fs::is_regular_file(record)) {
    UdevFacts udev;
    for (const auto& line : split(read_text(record), '\n')) {
      udev.modem_manager_ignores = udev.modem_manager_ignores || line == kModemManagerIgnore;
      udev.seat_access = udev.seat_access || line == kSeatAccessTag;
    }
    facts.udev = udev;
  }

  std::error_code ec;
  for (const auto& process : fs::directory_iterator(under_root("/proc"), ec)) {
    const auto pid = number_in(process.path().filename().string());
    if (!pid) continue;
    std::error_code fd_error;
    fs::directory_iterator fds(process.path() / "fd", fd_error);
    if (fd_error) {
      facts.processes_unseen += fd_error == std::errc::permission_denied ? 1 : 0;
      continue;
    }
    for (const auto& fd : fds) {
      std::error_code link_error;
      if (fs::read_symlink(fd.path(), link_error) != *resolved || link_error) continue;
      facts.holders.push_back({static_cast<int>(*pid), first_line(process.path() / "comm")});
      break;
    }
  }
  std::sort(facts.holders.begin(), facts.holders.end(),
            [](const Process& a, const Process& b) { return a.pid < b.pid; });
  return facts;
}

std::vector<Process> PosixSystemProbe::processes_named(const std::string& name) {
  std::vector<Process> found;
  std::error_code ec;
  for (const auto& process : fs::directory_iterator(under_root("/proc"), ec)) {
    const auto pid = number_in(process.path().filename().string());
    if (pid && first_line(process.path() / "comm") == name) found.push_back({static_cast<int>(*pid), name});
  }
  std::sort(found.begin(), found.end(), [](const Process& a, const Process& b) { return a.pid < b.pid; });
  return found;
}

}  // namespace lg81xx
