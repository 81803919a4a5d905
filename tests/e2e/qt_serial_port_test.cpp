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
  // Calls `step` every 5 ms until `done` holds or a second has passed.
  template <class Done, class Step>
  static void for_up_to_a_second(Done done, Step step) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
      step();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  Bytes master_read(std::size_t n) {
    Bytes got;
    for_up_to_a_second([&] { return got.size() >= n; }, [&] {
      pollfd p{master, POLLIN, 0};
      char buf[512];
      const ssize_t r = poll(&p, 1, 50) > 0 ? read(master, buf, sizeof buf) : 0;
      if (r > 0) got.append(buf, static_cast<std::size_t>(r));
    });
    return got;
  }
  Bytes port_read(std::size_t n) {
    Bytes got;
    for_up_to_a_second([&] { return got.size() >= n || !port.is_open(); }, [&] { got += port.read_available(); });
    return got;
  }

  int master = -1;
  std::string device;
  QtSerialPort port;
};

TEST_F(RawPty, EveryByteValuePassesUnchangedBothWays) {
  ASSERT_TRUE(port.open(device)) << port.error_text();
  Bytes all;
  for (unsigned v = 0; v < 256; ++v) all.push_back(static_cast<char>(v));
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
  for_up_to_a_second([&] { return !port.is_open(); }, [&] { port.read_available(); });
  EXPECT_FALSE(port.is_open());
  EXPECT_FALSE(port.write("x"));
}

}  // namespace
}  // namespace lg81xx
