// What the window decides that no session shows: the filter of its save dialog, the
// ports it offers, an installed application released while the position is proposed
// anew, several downloads summed up, the pair installed again at the next position, the
// status line's account of a transfer and of a question, the archive's buttons: one summary
// each, and the connection's diagnosis.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "jobs/messages.h"
#include "sample_content.h"
#include "shell/transfer_meter.h"
#include "support/fake_system_probe.h"
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

// "DownLoad" with several entries chosen: the bar is full, and one box says so, only when
// every entry was saved; an entry kept back is named with why.
TEST_F(WindowModel, SeveralDownloadsFillTheBarOnlyWhenEveryEntryIsSaved) {
  write_file(storage / "Images" / "a.jpg", "a");
  write_file(storage / "Images" / "b.jpg", "b");
  window.phone().close();
  window.choose_port("/dev/virtual");
  ASSERT_EQ(window.connect_or_disconnect(), JobResult::ok);
  window.select_folder(2);  // Images
  ASSERT_EQ(window.open_folder(), JobResult::ok);
  ASSERT_EQ(window.entries(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
  struct Case {
    const char* into;
    bool b_there;  // and kept: the question is answered no
    const char* says;
  };
  const Case cases[] = {
      {"one kept", true, "1 file salvati, 1 non salvati: b.jpg (file già esistente, non sostituito)"},
      {"all", false, "2 file salvati, 0 non salvati"},
  };
  for (const auto& c : cases) {
    TempDir into;
    if (c.b_there) write_file(into / "b.jpg", "mine");
    window.choose_entries({0, 1});
    ui.dialog_answers = {into.path().string()};
    ui.messages.clear();
    EXPECT_EQ(window.download_entry(), c.b_there ? JobResult::cancelled : JobResult::ok) << c.into;
    ASSERT_EQ(ui.messages.size(), 1u) << c.into;
    EXPECT_EQ(ui.messages[0].text, c.says) << c.into;
    EXPECT_EQ(window.progress_bar().caption == "100%", !c.b_there) << c.into;
    EXPECT_EQ(read_file(into / "a.jpg"), "a") << c.into;
    EXPECT_EQ(read_file(into / "b.jpg"), c.b_there ? "mine" : "b") << c.into;
  }
}

// Sending files: a question that holds the job shows with the status line where the window
// stands (the phone is waiting, not being sent the file); of several files dropped, the
// status line counts them and a box names the one that cannot be read.
TEST_F(WindowModel, SendingFilesShowsWhereTheWindowStandsAndWhichFile) {
  write_file(storage / "Images" / "a.jpg", "theirs");
  write_file(home / "a.jpg", "mine");
  window.phone().close();
  window.choose_port("/dev/virtual");
  ASSERT_EQ(window.connect_or_disconnect(), JobResult::ok);
  window.select_folder(2);  // Images
  std::vector<std::string> status_at_question;
  ui.on_message = [&] { status_at_question.push_back(window.controls().status.caption); };
  ui.dialog_answers = {(home / "a.jpg").string()};
  EXPECT_EQ(window.send_file(), JobResult::cancelled);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(status_at_question, (std::vector<std::string>{"Connesso: LG U8130 su /dev/virtual"}));
  EXPECT_EQ(read_file(storage / "Images" / "a.jpg"), "theirs");

  ASSERT_EQ(window.open_folder(), JobResult::ok);
  write_file(home / "b.jpg", "b");
  write_file(home / "c.jpg", "cccc");
  std::set<std::string> status;
  ui.on_repaint = [&] { status.insert(window.controls().status.caption); };
  EXPECT_EQ(window.send_dropped_files({(home / "b.jpg").string(), (home / "c.jpg").string()}), JobResult::ok);
  EXPECT_TRUE(status.contains("Invio del file Images/b.jpg... file 1 di 2 · 0 byte di 1 byte")) << *status.begin();
  EXPECT_TRUE(status.contains("Invio del file Images/c.jpg... file 2 di 2 · 0 byte di 4 byte")) << *status.begin();

  const auto absent = (home / "assente.jpg").string();
  EXPECT_EQ(window.send_dropped_files({(home / "a.jpg").string(), absent}), JobResult::local_file);
  EXPECT_EQ(ui.messages.back().text, "IMPOSSIBILE LEGGERE IL FILE\n" + absent);
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

// The pair stays chosen after an install, so that INVIA installs it again at the position
// proposed from the phone's list as it is then; "FILE CARICATO" is emptied at each end, and
// the status line no longer names the install once its box shows.
TEST_F(WindowModel, ThePairStaysChosenAndInstallsAgainAtTheNextPosition) {
  std::filesystem::path jad, jar;
  sim::write_sample_midlet(home.path(), jad, jar);
  ASSERT_EQ(window.propose_position(), JobResult::ok);
  ui.dialog_answers = {jad.string(), jar.string()};
  ASSERT_EQ(window.load_application(), JobResult::ok);
  EXPECT_EQ(ui.open_titles, (std::vector<std::string>{text::kJadTitle, text::kJarTitle}));
  for (const char* position : {"01", "02"}) {
    ASSERT_EQ(window.position(), position);
    ui.on_message = [&] { EXPECT_TRUE(window.controls().status.caption.starts_with("Connesso: ")) << position; };
    EXPECT_EQ(window.install_application(), JobResult::ok) << position;
    EXPECT_EQ(read_file(storage / "Java" / (std::string(position) + ".jar")), read_file(jar)) << position;
    EXPECT_EQ(window.controls().loaded_archive.caption, "") << position;
    EXPECT_FALSE(window.archive().empty()) << position;
  }
  EXPECT_EQ(window.position(), "03");
}

// The status line's account of a transfer: what moved, how fast, what is left, and which
// file of several.
TEST(TransferText, SaysWhatMovedHowFastAndWhatIsLeft) {
  struct Case {
    Progress progress;
    std::uint64_t moved;
    std::int64_t elapsed_ms;
    const char* text;
  };
  const Case cases[] = {
      {{0, 40960, 1, 1}, 0, 0, "0 byte di 40,0 KB"},
      {{10240, 40960, 1, 1}, 10240, 2000, "10,0 KB di 40,0 KB · 5,0 KB/s · ancora 6 s"},
      {{1023, 1024, 2, 3}, 1023, 1000, "file 2 di 3 · 1023 byte di 1,0 KB · 1023 byte/s · ancora 1 s"},
      {{3 << 20, 3 << 20, 1, 1}, 3 << 20, 1000, "3,0 MB di 3,0 MB · 3,0 MB/s"},
      {{1000, 300000, 1, 1}, 1000, 1000, "1000 byte di 293,0 KB · 1000 byte/s · ancora 4 min 59 s"},
  };
  for (const auto& c : cases) EXPECT_EQ(transfer_text(c.progress, c.moved, c.elapsed_ms), c.text) << c.text;
}

// A new account at most every quarter of a second, besides the first, the last and a new
// file's; each file is timed from its own start.
TEST(TransferMeter, GivesAFewAccountsASecondAndTimesEachFile) {
  TransferMeter meter;
  meter.start(1000);
  EXPECT_EQ(meter.update({0, 8192, 1, 2}, 1000), "file 1 di 2 · 0 byte di 8,0 KB");
  EXPECT_EQ(meter.update({1024, 8192, 1, 2}, 1100), std::nullopt);
  EXPECT_EQ(meter.update({2048, 8192, 1, 2}, 1250), "file 1 di 2 · 2,0 KB di 8,0 KB · 8,0 KB/s · ancora 1 s");
  EXPECT_EQ(meter.update({8192, 8192, 1, 2}, 1300), "file 1 di 2 · 8,0 KB di 8,0 KB · 26,7 KB/s");
  meter.start(2000);
  EXPECT_EQ(meter.update({1024, 2048, 2, 2}, 3000), "file 2 di 2 · 1,0 KB di 2,0 KB · 1,0 KB/s · ancora 1 s");
}

// "Backup del telefono…" and "Ripristina dal backup…" count their files on the status line
// and end with one summary, shown once the status line names the job no more; "Ripristina
// suono originale" sends the kept sound back, and a replacement without an IMEI is asked
// about first.
TEST_F(WindowModel, TheArchiveButtonsCountTheirFilesAndSumUp) {
  sim::fill_sample_content(storage.path(), "LG U8130");
  phone.context().options().imei = "354321098765432";
  window.phone().close();
  window.choose_port("/dev/virtual");
  ASSERT_EQ(window.connect_or_disconnect(), JobResult::ok);
  std::set<std::string> status;
  ui.on_repaint = [&] { status.insert(window.controls().status.caption); };
  std::set<std::string> status_at_box;
  ui.on_message = [&] { status_at_box.insert(window.controls().status.caption); };
  TempDir archive;
  ui.messages.clear();
  ui.dialog_answers = {archive.path().string()};
  ASSERT_EQ(window.back_up_phone(), JobResult::ok);
  EXPECT_TRUE(std::any_of(status.begin(), status.end(), [](const std::string& s) {
    return s.starts_with("Backup del telefono... file 6 di 6 · ");
  })) << *status.rbegin();
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
  // The notice that the phone's own sound was kept too: it holds its job until it is read.
  EXPECT_EQ(status_at_box, (std::set<std::string>{"Connesso: LG U8130 su /dev/virtual"}));

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

// "Diagnosi della connessione…" tries the phone on the chosen port only while no session
// is open, in fast timing, and leaves the window as it found it.
TEST_F(WindowModel, TheDiagnosisTriesThePhoneOnlyWithoutASession) {
  FakeSystemProbe probe;
  DeviceFacts device;
  device.path = device.device = "/dev/virtual";
  device.exists = device.can_open = true;
  probe.devices = {device};
  window.phone().close();
  window.choose_port("/dev/virtual");
  port.written.clear();
  EXPECT_EQ(window.diagnose_connection(probe), JobResult::ok);
  EXPECT_FALSE(port.written.empty());
  EXPECT_FALSE(window.phone().is_open());
  EXPECT_FALSE(window.fast());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "DIAGNOSI DELLA CONNESSIONE");
  EXPECT_NE(ui.messages[0].text.find("\n  model: LG U8130"), std::string::npos) << ui.messages[0].text;

  ASSERT_EQ(window.connect_or_disconnect(), JobResult::ok);
  port.written.clear();
  EXPECT_EQ(window.diagnose_connection(probe), JobResult::ok);
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(window.phone().is_open());
  EXPECT_EQ(ui.messages.back().text.find("model:"), std::string::npos);
}

}  // namespace
}  // namespace lg81xx::testing
