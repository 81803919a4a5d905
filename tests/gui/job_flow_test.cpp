// The jobs of the three tabs through the widgets against the virtual phone (in-process,
// virtual time): install and sound replacement land where they should, with
// their message boxes.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "gui_harness.h"
#include "phone/frames/descriptor.h"
#include "gui_test_registry.h"
#include "progress_label.h"
#include "shell/messages.h"
#include "support/jar_files.h"

namespace lg81xx::gui::testing {
namespace {

using lg81xx::testing::Message;
using lg81xx::testing::read_file;
using lg81xx::testing::write_file;

const std::string kJad = "MIDlet-Name: Demo\r\nMIDlet-Vendor: Test\r\nMIDlet-Jar-Size: 1\r\nMIDlet-Jar-URL: demo.jar\r\n";

std::string sample(std::size_t size) {
  std::string out(size, '\0');
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return out;
}

}  // namespace

class JobFlowTest final : public QObject {
  Q_OBJECT

  static void connect_u8130(GuiHarness& h) {
    QCOMPARE(h.load(), StartResult::ok);
    h.set_combo_text("Combo1", "LG U8130");
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    h.click("Command1");
    h.wait_idle();
    QVERIFY(h.ui.messages.empty());
  }

 private slots:
  void install_then_replace_a_sound() {
    GuiHarness h;
    connect_u8130(h);
    QVERIFY(lg81xx::testing::make_jar(h.home / "demo.jar", {{"demo.bin", sample(9000)}}));
    const std::string jar = read_file(h.home / "demo.jar");
    const std::string jad = with_jar_size(kJad, jar.size());
    write_file(h.home / "demo.jad", jad);
    write_file(h.home / "tone.mid", sample(3000));

    h.ui.dialog_answers = {(h.home / "demo.jad").string(), (h.home / "demo.jar").string()};
    h.click("Command2");
    h.wait_idle();
    QCOMPARE(h.find<QLabel>("Label8")->text(), QStringLiteral("demo.jar"));
    QCOMPARE(h.find<QLineEdit>("Text1")->text(), QStringLiteral("01"));
    h.click("Command3");
    h.wait_idle();
    QCOMPARE(h.ui.messages.size(), 1u);
    QCOMPARE(h.ui.messages[0], (Message{text::kUploadCompletato, MessageStyle::information, text::kJavaOkTitle}));
    QVERIFY(read_file(h.storage / "Java/01.jad") == jad);
    QVERIFY(read_file(h.storage / "Java/01.jar") == jar);
    QCOMPARE(dynamic_cast<ProgressLabel*>(h.find("Label5"))->text(), QStringLiteral("100%"));
    QVERIFY(!h.ui.busy);

    // The pair is sent once: INVIA again sends nothing. The next install goes to the next
    // free position, read from the phone again.
    QCOMPARE(h.find<QLabel>("Label8")->text(), QString());
    QCOMPARE(h.find<QLineEdit>("Text1")->text(), QStringLiteral("02"));
    h.click("Command3");
    h.wait_idle();
    QCOMPARE(h.ui.messages.back().text, std::string(text::kNoSelection));
    h.ui.messages.clear();
    h.ui.dialog_answers = {(h.home / "demo.jad").string(), (h.home / "demo.jar").string()};
    h.click("Command2");
    h.wait_idle();
    h.click("Command3");
    h.wait_idle();
    QCOMPARE(h.ui.messages.size(), 1u);
    QCOMPARE(h.ui.messages[0].text, std::string(text::kUploadCompletato));
    QVERIFY(read_file(h.storage / "Java/02.jar") == jar);
    QCOMPARE(h.find<QLineEdit>("Text1")->text(), QStringLiteral("03"));
    h.ui.messages.clear();

    h.window.tabs().setCurrentIndex(1);  // "SUONI di Sistema"
    h.find<QRadioButton>("mes2")->click();
    h.ui.dialog_answers = {(h.home / "tone.mid").string()};
    h.click("Command5");
    h.wait_idle();
    QCOMPARE(h.ui.open_filters.back(), std::string("MIDI FILE|*.mid"));
    QCOMPARE(h.ui.messages.size(), 1u);
    QCOMPARE(h.ui.messages[0], (Message{text::kSoundLoaded, MessageStyle::information, text::kSoundTitle}));
    QVERIFY(read_file(h.storage / "MessageTone/Message2.mid") == sample(3000));
  }

};

LG81XX_GUI_TEST(JobFlowTest);

}  // namespace lg81xx::gui::testing

#include "job_flow_test.moc"
