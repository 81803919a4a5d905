// What the window decides that no session shows: the filter of its save dialog, the
// ports it offers, and an installed application released while the position is
// proposed anew.
#include <gtest/gtest.h>

#include "sample_content.h"
#include "support/phone_on_fake_port.h"
#include "support/window_fixture.h"

namespace lg81xx::testing {
namespace {

class WindowModel : public WindowFixture {
 protected:
  WindowModel() : phone({"LG U8130", "1", storage.path(), 0}) {
    answer_with(port, phone);
    choose_model_and_open("LG U8130");
    window.phone().free_line();
  }
  TempDir storage;
  sim::VirtualPhone phone;
};

TEST_F(WindowModel, TheSaveFilterEndsWithTheLastThreeCharacters) {
  const std::pair<std::string, std::string> cases[] = {{"ab", "*.ab"}, {"caffè", "*.ffè"}, {"日本語.ü", "*.語.ü"}};
  for (const auto& [entry, filter] : cases) {
    write_file(storage / "Images" / entry, "x");
    ui.dialog_answers = {std::nullopt};
    EXPECT_EQ(window.download_named("Images", entry), JobResult::cancelled) << entry;
    EXPECT_EQ(ui.save_filters.back(), filter);
  }
}

// Detected ports join the twenty items once; the phones' cables come first.
TEST_F(WindowModel, OffersEachPortOnceThePhonesCablesFirst) {
  window.phone().close();
  ASSERT_EQ(window.start_up(), StartResult::ok);
  window.offer_ports({"COM  3", "/dev/ttyACM0 (LG)"});
  EXPECT_EQ(window.controls().port_box.items.size(), 21u);
  EXPECT_EQ(window.controls().port_box.items.back(), "/dev/ttyACM0 (LG)");
  window.offer_first({"/dev/ttyACM1 (LG)", "/dev/ttyACM0 (LG)"});
  const auto& items = window.controls().port_box.items;
  ASSERT_EQ(items.size(), 22u);
  EXPECT_EQ(std::vector<std::string>(items.begin(), items.begin() + 3),
            (std::vector<std::string>{"/dev/ttyACM1 (LG)", "/dev/ttyACM0 (LG)", "COM  1"}));
}

// An installed pair is never sent twice by mistake, and the next position comes from the
// phone's list as it is after the install; a pair that was not installed stays.
TEST_F(WindowModel, AnInstalledPairIsReleasedAndThePositionProposedAnew) {
  std::filesystem::path jad, jar;
  sim::write_sample_midlet(home.path(), jad, jar);
  write_file(storage / "Java" / "01.jad", "old");
  ASSERT_EQ(window.propose_position(), JobResult::ok);
  ASSERT_EQ(window.position(), "02");
  for (const auto& [position, result] : {std::pair{"01", JobResult::cancelled}, {"02", JobResult::ok}}) {
    ui.dialog_answers = {jad.string(), jar.string()};
    ASSERT_EQ(window.load_application(), JobResult::ok);
    window.set_position_text(position);
    EXPECT_EQ(window.install_application(), result) << position;
    const bool installed = result == JobResult::ok;
    EXPECT_EQ(window.descriptor().empty(), installed) << position;
    EXPECT_EQ(window.controls().loaded_archive.caption.empty(), installed) << position;
    EXPECT_EQ(window.position(), installed ? "03" : position) << position;
  }
}

}  // namespace
}  // namespace lg81xx::testing
