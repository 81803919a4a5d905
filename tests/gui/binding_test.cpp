// The window follows the model and the model gets the user's edits, in order, through
// the worker thread.
#include <QComboBox>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>

#include "gui_harness.h"
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
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    QSemaphore gate;
    h.controller->run_job([&](Form1& f) {
      gate.acquire();
      f.connect_or_disconnect();  // shows the IMEI
    });
    h.set_combo_text("Combo1", "LG U8130");  // queued behind the job
    gate.release();
    QTRY_COMPARE(h.find<QLabel>("Label3")->text(), QStringLiteral("354321098765432"));
    h.wait_idle();
    QCOMPARE(h.find<QComboBox>("Combo1")->currentText(), QStringLiteral("LG U8130"));
  }

  // The install waits for its message box to be answered: meanwhile the window draws, and
  // takes no other job and no closing.
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
    h.phone->set_faults({.silent_after = 1});  // the descriptor gets no acknowledgement

    QStringList seen;
    h.ui.on_message = [&] {
      if (!seen.isEmpty()) return;
      seen << dynamic_cast<ProgressLabel*>(h.find("Label5"))->text();
      for (const char* name : {"Command1", "Command2", "Command3", "Command4", "Command5", "Command7", "List1"})
        if (h.find(name)->isEnabled()) seen << name;
      if (!h.ui.busy) seen << "pointer";
      if (h.window.close()) seen << "closed";  // closing waits for the job
    };
    h.click("Command3");
    h.wait_idle();
    QCOMPARE(seen, QStringList{"0 %"});
    QTRY_VERIFY(!h.window.isVisible());
    QVERIFY(!h.ui.busy);  // pointer back to normal once the window is usable again
    QVERIFY(h.find("Command1")->isEnabled());
  }
};

LG81XX_GUI_TEST(BindingTest);

}  // namespace lg81xx::gui::testing

#include "binding_test.moc"
