// A serial device is held by one port at a time, through any path that leads to it,
// as root too.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QCoreApplication>
#include <filesystem>

#include "platform/posix/device_lock.h"
#include "platform/qt/qt_serial_port.h"
#include "support/temp_dir.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;

// A pseudo-terminal whose far end stays open while the test runs.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) device_ = ptsname(master_);
  }
  ~PseudoTerminal() {
    if (master_ >= 0) ::close(master_);
  }
  const std::string& device() const { return device_; }

 private:
  int master_ = -1;
  std::string device_;
};

TEST(SerialPortLock, TheSameDeviceThroughAnyPathIsInUse) {
  int argc = 1;
  char name[] = "lg81xx_unit_tests";
  char* argv[] = {name, nullptr};
  const QCoreApplication application(argc, argv);  // the ports' notifiers want one
  PseudoTerminal terminal;
  ASSERT_FALSE(terminal.device().empty());
  TempDir dir;
  fs::create_symlink(terminal.device(), dir / "by-id-phone");
  fs::create_symlink(dir / "by-id-phone", dir / "link-to-link");
  const std::string direct = terminal.device();
  const std::string link = (dir / "by-id-phone").string();
  const std::string chain = (dir / "link-to-link").string();
  struct Case {
    std::string first, second;
  };
  for (const Case& c : {Case{direct, link}, Case{link, direct}, Case{link, chain}, Case{direct, direct}}) {
    SCOPED_TRACE(c.first + " then " + c.second);
    QtSerialPort first, second;
    ASSERT_TRUE(first.open(c.first)) << first.error_text();
    EXPECT_FALSE(second.open(c.second));
    EXPECT_EQ(second.open_failure(), PortFailure::in_use);
    EXPECT_FALSE(second.is_open());
    first.close();
    EXPECT_TRUE(second.open(c.second)) << second.error_text();  // free again once closed
  }
}

TEST(SerialPortLock, SaysWhyADeviceCannotBeHeld) {
  TempDir dir;
  DeviceLock lock;
  EXPECT_EQ(lock.acquire((dir / "missing").string()), PortFailure::not_found);
  EXPECT_FALSE(lock.held());
  QtSerialPort port;
  EXPECT_FALSE(port.open((dir / "missing").string()));
  EXPECT_EQ(port.open_failure(), PortFailure::not_found);
}

}  // namespace
}  // namespace lg81xx::testing
