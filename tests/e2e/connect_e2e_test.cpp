// Connect, list a folder and disconnect against the lg81xx-sim program, for each family.
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "real_line_form.h"

namespace lg81xx::testing {
namespace {

struct Family {
  std::string model, info, folder;
  std::vector<std::string> folders;
};
void PrintTo(const Family& f, std::ostream* os) { *os << f.model; }

class ConnectEndToEnd : public ::testing::TestWithParam<Family>, protected RealLineForm {};

TEST_P(ConnectEndToEnd, ConnectsListsAndSaysGoodbye) {
  const Family& f = GetParam();
  write_file(storage / f.folder / "a.jpg", "jpeg");
  write_file(storage / f.folder / "b.mid", "midi");
  write_file(storage / "Java/01.jad", "jad");
  write_file(storage / "Java/01.jar", "jar");
  const auto log = storage.path() / "traffic.log";
  connect(f.model, start_sim(f.model, {"--imei", "351234567890123", "--log", log.string(), "--baud", "115200"}));
  EXPECT_EQ(form.imei(), "351234567890123");
  EXPECT_EQ(form.information(), f.info);
  EXPECT_EQ(form.folders(), f.folders);
  EXPECT_EQ(form.entries(), (std::vector<std::string>{"01.jad", "01.jar"}));
  EXPECT_EQ(form.position(), "02");

  EXPECT_EQ(open_folder(f.folder), JobResult::ok);
  EXPECT_EQ(form.entries(), (std::vector<std::string>{"a.jpg", "b.mid"}));

  form.connect_or_disconnect();
  EXPECT_FALSE(port.is_open());
  // The phone must get the 17-byte goodbye; the log may lag behind a little.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  bool said_goodbye = false;
  while (!said_goodbye && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::stringstream text;
    text << std::ifstream(log).rdbuf();
    said_goodbye = text.str().find("<< 83001170000EFF7DDF00822B000008007E") != std::string::npos;
  }
  EXPECT_TRUE(said_goodbye);
}

INSTANTIATE_TEST_SUITE_P(
    BothFamilies, ConnectEndToEnd,
    ::testing::Values(Family{"LG U8138", "U8138 V10c-EUR", "Images",
                             {"Animations", "Audios", "Images", "Videos", "VoiceRecord", "Java"}},
                      Family{"LG U8110", "U8110", "Audio", {"Immagini", "Audio", "Video", "Java"}}),
    [](const ::testing::TestParamInfo<Family>& p) { return p.param.model.substr(3); });

}  // namespace
}  // namespace lg81xx::testing
