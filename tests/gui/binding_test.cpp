// The window follows the model and the model gets the user's edits, in order, through
// the worker thread.
#include <QComboBox>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>

#include <algorithm>

#include "base/hex_codec.h"
#include "gui_harness.h"
#include "link/session_frames.h"
#include "shell/messages.h"
#include "gui_test_registry.h"
#include "progress_label.h"
#include "support/jar_files.h"

namespace lg81xx::gui::testing {

class BindingTest final : public QObject {
  Q_OBJECT

 private slots:
  void edits_reach_the_model() {
    GuiHarness h(std::string("MIDP=1\r\n"), "LG U8120");
    QCOMPARE(h.load(), StartResult::ok);
    h.set_combo_text("Combo1", "LG U8120");
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    QTest::keyClick(h.find<QCheckBox>("nokia"), Qt::Key_Space);
    h.find<QRadioButton>("scatto3")->click();
    QTest::keyClick(h.find<QCheckBox>("fast"), Qt::Key_Space);
    h.sync();
    QCOMPARE(h.read_model([](Form1& f) { return f.model(); }), std::string("LG U8120"));
    QCOMPARE(h.read_model([](Form1& f) { return f.controls().Combo2.text; }), std::string("/dev/virtual-phone"));
    QVERIFY(h.read_model([](Form1& f) { return f.controls().nokia.value; }));
    QCOMPARE(h.read_model([](Form1& f) { return f.controls().selected_sound()->name; }), std::string("scatto3"));
    QVERIFY(h.read_model([](Form1& f) { return f.fast(); }));

    h.click("Command1");  // the U8110/U8120 have four fixed folders
    h.wait_idle();
    h.find<QListWidget>("List1")->setCurrentRow(1);
    QCOMPARE(h.read_model([](Form1& f) { return f.controls().List1.text(); }), std::string("Audio"));
  }

  // A snapshot taken before the model saw an edit must not undo the edit on screen.
  void older_snapshot_does_not_undo_typing() {
    GuiHarness h;
    QCOMPARE(h.load(), StartResult::ok);
    h.set_combo_text("Combo1", "LG U8130");
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    QSemaphore gate;
    h.controller->run_job([&](Form1& f) {
      gate.acquire();
      f.connect_or_disconnect();  // shows the IMEI
    });
    QTest::keyClick(h.find<QCheckBox>("nokia"), Qt::Key_Space);  // queued behind the job
    gate.release();
    QTRY_COMPARE(h.find<QLabel>("Label3")->text(), QStringLiteral("354321098765432"));
    h.wait_idle();
    QVERIFY(h.find<QCheckBox>("nokia")->isChecked());
  }

  // While the install runs the window draws, says what runs, and takes no other job and no
  // change of model or port. Closing asks first; yes stops the install after the exchange
  // under way, the phone is told the session ends, and the window closes.
  void a_running_job_holds_back_other_jobs_and_closing() {
    GuiHarness h;
    QCOMPARE(h.load(), StartResult::ok);
    h.set_combo_text("Combo1", "LG U8130");
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    h.click("Command1");
    h.wait_idle();
    lg81xx::testing::write_file(h.home / "a.jad", "MIDlet-Name: A\r\n");
    QVERIFY(lg81xx::testing::make_jar(h.home / "a.jar", {{"a.class", "a"}}));
    h.ui.dialog_answers = {(h.home / "a.jad").string(), (h.home / "a.jar").string()};
    h.click("Command2");
    h.wait_idle();

    // The phone stores the descriptor: the user closes the window there, on the GUI thread,
    // while the install waits for its acknowledgement.
    QStringList seen;
    h.ui.answers = {true};  // cancel and close
    h.phone->context().on_log = [&](const std::string& line) {
      if (!seen.isEmpty() || !line.starts_with("stored ")) return;
      QMetaObject::invokeMethod(&h.window, [&] {
        seen << dynamic_cast<ProgressLabel*>(h.find("Label5"))->text() << h.find<QLabel>("status")->text();
        for (const char* name :
             {"Combo1", "Combo2", "Command1", "Command2", "Command3", "Command4", "Command5", "Command7", "List1"})
          if (h.find(name)->isEnabled()) seen << name;
        if (!h.ui.busy) seen << "pointer";
        if (h.window.close()) seen << "closed";  // closing waits for the job
      }, Qt::BlockingQueuedConnection);
    };
    h.click("Command3");
    h.wait_idle();
    QCOMPARE(seen, (QStringList{"0 %", "Installazione dell'applicazione in posizione 01..."}));
    QCOMPARE(h.ui.questions, std::vector<std::string>{text::kCancelOnClose});
    QCOMPARE(h.ui.messages.size(), 1u);  // the cancel, never a phone that does not answer
    QCOMPARE(h.ui.messages[0].text, std::string(text::kCancelled) + "; arrivati al telefono: 01.jad");
    QTRY_VERIFY(!h.window.isVisible());
    QVERIFY(!h.ui.busy);  // pointer back to normal once the window is usable again
    QVERIFY(h.find("Command1")->isEnabled());

    h.controller.reset();
    const auto& log = h.phone->context().log_lines();
    QVERIFY(std::count(log.begin(), log.end(), "<< " + bin_to_hex(make_session_frames().disconnect_frame)) == 1);
    QVERIFY(std::none_of(log.begin(), log.end(), [](const std::string& l) { return l.starts_with("stored Java/01.jar"); }));
  }
};

LG81XX_GUI_TEST(BindingTest);

}  // namespace lg81xx::gui::testing

#include "binding_test.moc"
