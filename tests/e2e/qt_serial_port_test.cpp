// The real serial adapter against a raw pseudo-terminal: a hang-up, a port that does not
// open. The bytes themselves cross it in every end-to-end download and install.
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/qt/qt_serial_port.h"

namespace lg81xx {
namespace {

// The far end of the line: the master side of a pseudo-terminal in raw mode.
class RawPty : public ::testing::Test {
 protected:
  void SetUp() override {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    device = ptsname(master);
    termios tio{};
    tcgetattr(master, &tio);
    cfmakeraw(&tio);
    tcsetattr(master, TCSANOW, &tio);
  }
  void TearDown() override {
    if (master >= 0) close(master);
  }
  int master = -1;
  std::string device;
  QtSerialPort port;
};

TEST_F(RawPty, AHangUpClosesThePort) {
  ASSERT_TRUE(port.open(device)) << port.error_text();
  close(master);
  master = -1;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (port.is_open() && std::chrono::steady_clock::now() < deadline) {
    port.read_available();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_FALSE(port.is_open());
  EXPECT_FALSE(port.write("x"));
}

TEST_F(RawPty, APortThatDoesNotOpenSaysWhy) {
  ASSERT_TRUE(port.open(device)) << port.error_text();
  QtSerialPort second;
  EXPECT_FALSE(second.open(device));
  EXPECT_EQ(second.open_failure(), PortFailure::in_use) << second.error_text();
  EXPECT_FALSE(second.open("/dev/lg81xx-no-such-port"));
  EXPECT_EQ(second.open_failure(), PortFailure::not_found) << second.error_text();
}

}  // namespace
}  // namespace lg81xx
