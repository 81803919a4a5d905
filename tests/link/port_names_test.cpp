#include "link/port_names.h"

#include <gtest/gtest.h>

namespace lg81xx {
namespace {

TEST(PortNames, ComboTextsNameDevices) {
  struct Case {
    const char* text;
    const char* device;
  };
  // The twenty items and their other spellings; COM numbers outside them name no port.
  for (const Case& c :
       {Case{"COM  20", "/dev/ttyS19"}, Case{"COM3", "/dev/ttyS2"}, Case{"com 1", "/dev/ttyS0"}, Case{"COM  21", ""},
        Case{"COM 0", ""}, Case{"COM  99999999999", ""}, Case{"COMPUTER", "COMPUTER"},
        Case{" /dev/pts/3 ", "/dev/pts/3"}, Case{"/dev/ttyUSB0 (LG CDMA USB Modem)", "/dev/ttyUSB0"}, Case{"   ", ""}})
    EXPECT_EQ(port_device(c.text), c.device) << c.text;
  EXPECT_EQ(port_device(port_item("/dev/ttyACM1", "USB Modem (LG)")), "/dev/ttyACM1");
}

}  // namespace
}  // namespace lg81xx
