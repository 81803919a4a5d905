// What the window decides that no session shows: the filter of its save dialog, the
// ports it offers, an installed application released while the position is proposed
// anew, and the archive's buttons: the file under way on the status line, one summary.
#include <gtest/gtest.h>

#include <set>

#include "jobs/messages.h"
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

// "Backup del telefono…" and "Ripristina dal backup…" count their files on the status line
// and end with one summary; "Ripristina suono originale" sends the kept sound back, and a
// replacement without an IMEI is asked about first.
TEST_F(WindowModel, TheArchiveButtonsCountTheirFilesAndSumUp) {
  sim::fill_sample_content(storage.path(), "LG U8130");
  phone.context().options().imei = "354321098765432";
  window.phone().close();
  window.choose_port("/dev/virtual");
  ASSERT_EQ(window.connect_or_disconnect(), JobResult::ok);
  std::set<std::string> status;
  ui.on_repaint = [&] { status.insert(window.controls().status.caption); };
  TempDir archive;
  ui.messages.clear();
  ui.dialog_answers = {archive.path().string()};
  ASSERT_EQ(window.back_up_phone(), JobResult::ok);
  EXPECT_TRUE(status.contains("Backup del telefono: file 6 di 6...")) << *status.rbegin();
  ASSERT_EQ(ui.messages.size(), 1u) << ui.messages[0].text;
  EXPECT_EQ(ui.messages[0].text, "6 nuovi, 0 già archiviati, 0 non salvati");
  EXPECT_EQ(ui.messages[0].title, "BACKUP");
  EXPECT_EQ(window.progress_bar().caption, "100%");

  write_file(archive / "Images" / "lago.jpg", "changed here");
  ui.dialog_answers = {archive.path().string()};
  EXPECT_EQ(window.restore_from_backup(), JobResult::bad_input);
  EXPECT_NE(ui.messages.back().text.find("Images/lago.jpg (file dell'archivio modificato: non inviato)"),
            std::string::npos)
      << ui.messages.back().text;

  const Bytes own = read_file(storage / "MessageTone" / "Message1.mid");
  write_file(home / "nuovo.mid", "new tune");
  ui.dialog_answers = {(home / "nuovo.mid").string()};
  ASSERT_EQ(window.replace_sound(), JobResult::ok);
  ASSERT_EQ(window.restore_original_sound(), JobResult::ok);
  EXPECT_EQ(ui.messages.back().text, "SUONO ORIGINALE RIPRISTINATO");
  EXPECT_EQ(read_file(storage / "MessageTone" / "Message1.mid"), own);

  // A phone whose IMEI was not read: the user is asked, and "no" sends nothing.
  window.phone().close();
  phone.context().options().imei = "";
  ASSERT_EQ(window.connect_or_disconnect(), JobResult::ok);
  port.written.clear();
  ui.dialog_answers = {(home / "nuovo.mid").string()};
  EXPECT_EQ(window.replace_sound(), JobResult::cancelled);
  EXPECT_EQ(ui.questions.back(), catalogue(MessageId::replace_without_keeping).italian);
  EXPECT_TRUE(port.written.empty());
}

}  // namespace
}  // namespace lg81xx::testing
