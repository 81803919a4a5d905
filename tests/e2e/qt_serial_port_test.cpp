// The real serial adapter against a raw pseudo-terminal: bytes, reads, hang-up.
#include <fcntl.h>
#include <poll.h>
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
  // Reads from the master until `n` bytes came or a second passed.
  Bytes master_read(std::size_t n) {
    Bytes got;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (got.size() < n && std::chrono::steady_clock::now() < deadline) {
      pollfd p{master, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      char buf[512];
      const ssize_t r = read(master, buf, sizeof buf);
      if (r > 0) got.append(buf, static_cast<std::size_t>(r));
    }
    return got;
  }
  // Reads from the port until `n` bytes came or a second passed.
  Bytes port_read(std::size_t n) {
    Bytes got;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (got.size() < n && port.is_open() && std::chrono::steady_clock::now() < deadline) {
      got += port.read_available();
      if (got.size() < n) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return got;
  }

  int master = -1;
  std::string device;
  QtSerialPort port;
};

Bytes every_byte_value() {
  Bytes all;
  for (unsigned v = 0; v < 256; ++v) all.push_back(static_cast<char>(v));
  return all;
}

TEST_F(RawPty, EveryByteValuePassesUnchangedBothWays) {
  ASSERT_TRUE(port.open(device)) << port.error_text();
  const Bytes all = every_byte_value();
  ASSERT_TRUE(port.write(all));
  EXPECT_EQ(master_read(all.size()), all);

  ASSERT_EQ(write(master, all.data(), all.size()), static_cast<ssize_t>(all.size()));
  EXPECT_EQ(port_read(all.size()), all);
  EXPECT_EQ(port.read_available(), "") << "a second read gives nothing new";
}

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
