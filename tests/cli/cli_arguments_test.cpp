// The command line's checks of its arguments, its exit statuses and its file names.
#include <gtest/gtest.h>

#include <sstream>

#include "arguments.h"
#include "output_path.h"
#include "port_option.h"

namespace lg81xx::cli {
namespace {

TEST(CliArguments, ModelNamesAreNormalisedOrRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"lg u8110", "LG U8110"}, {"8138", "LG U8138"}, {"LGU8130", "LG U8130"},
      {"LG U8140", nullptr},    {"LG U813", nullptr}, {"U81300", nullptr},
  };
  for (const auto& [text, model] : cases) {
    const auto got = model_from_argument(text);
    if (model == nullptr)
      EXPECT_FALSE(got) << text;
    else
      EXPECT_EQ(got.value_or("none"), model) << text;
  }
}

TEST(CliArguments, PositionIsTwoDigitsUpTo64) {
  for (const char* good : {"00", "09", "64"}) EXPECT_TRUE(is_valid_position(good)) << good;
  for (const char* bad : {"", "5", "65", "005", "1a", " 5"}) EXPECT_FALSE(is_valid_position(bad)) << bad;
}

// Without --port the one port on a phone cable (USB vendor 1004) is used; with none or
// several, the candidates are listed and nothing is opened.
TEST(CliPortOption, ThePhonesCableIsFoundWhenItIsTheOnlyOne) {
  const PortInfo lg{"/dev/ttyACM0", "LG CDMA USB Modem", 0x1004};
  const PortInfo lg2{"/dev/ttyACM1", "LG CDMA USB Modem", 0x1004};
  const PortInfo ftdi{"/dev/ttyUSB0", "FT232R", 0x0403};
  const PortInfo builtin{"/dev/ttyS0", "", std::nullopt};
  struct Case {
    std::optional<std::string> given;
    std::vector<PortInfo> ports;
    std::optional<std::string> opened;
    const char* says;  // "" for nothing
  };
  const Case cases[] = {
      {std::nullopt, {ftdi, lg, builtin}, "/dev/ttyACM0", "using /dev/ttyACM0, the one port on a phone cable"},
      {"sim", {lg}, "sim", ""},
      // With phone cables about, the other ports are no candidates.
      {std::nullopt,
       {lg, ftdi, lg2},
       std::nullopt,
       "on a phone cable:\n/dev/ttyACM0\tLG CDMA USB Modem\tphone cable\n/dev/ttyACM1\tLG CDMA USB Modem\tphone "
       "cable\n"},
      {" ", {ftdi, builtin}, std::nullopt, "the ports found:\n/dev/ttyUSB0\tFT232R\n/dev/ttyS0\t\n"},
      {std::nullopt, {}, std::nullopt, "no serial port was found"},
  };
  for (const auto& c : cases) {
    std::ostringstream err;
    EXPECT_EQ(port_to_open(c.given, c.ports, err), c.opened) << err.str();
    EXPECT_NE(err.str().find(c.says), std::string::npos) << c.says << "\n" << err.str();
    if (*c.says == '\0') {
      EXPECT_EQ(err.str(), "");
    }
  }
  std::ostringstream out;
  print_ports({builtin, lg}, out);
  EXPECT_EQ(out.str(), "/dev/ttyS0\t\n/dev/ttyACM0\tLG CDMA USB Modem\tphone cable\n");
}

TEST(CliOutputPath, EntryNamesAreMadeSafe) {
  const std::pair<const char*, const char*> cases[] = {
      {"../../etc/passwd", "etcpasswd"},
      {"..\\..\\boot.ini", "boot.ini"},
      {"C:evil.exe", "Cevil.exe"},
      {".hidden", "hidden"},
      {"a\nb\x01.txt", "ab.txt"},
      {"....//", nullptr},
      {"/", nullptr},
      {" . ", nullptr},
      {"città\xC2\x9B\xFF.jpg", "città.jpg"},
  };
  for (const auto& [entry, name] : cases) {
    const auto got = safe_file_name(entry);
    if (name == nullptr)
      EXPECT_FALSE(got) << entry;
    else
      EXPECT_EQ(got.value_or("none"), name) << entry;
  }
  // Too long for a file name: cut before a whole character, the extension kept.
  std::string long_name;
  for (int i = 0; i < 200; ++i) long_name += "è";
  const auto cut = safe_file_name(long_name + ".jpg");
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->size(), 254u);
  EXPECT_EQ(cut->substr(244), "èèè.jpg");
  EXPECT_EQ(numbered_file_name("a.b.jpg", 2), "a.b (2).jpg");
  EXPECT_EQ(numbered_file_name(*cut, 10).substr(240), "èèè (10).jpg");
}

}  // namespace
}  // namespace lg81xx::cli
