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

namespace lg81xx::gui::testing {

class BindingTest final : public QObject {
  Q_OBJECT

 private slots:
  void edits_reach_the_model() {
    GuiHarness h;
    QCOMPARE(h.load(), StartResult::ok);
    h.set_combo_text("Combo1", "LG U8120");
    h.set_combo_text("Combo2", "/dev/ttyACM0");
    QTest::keyClick(h.find<QCheckBox>("nokia"), Qt::Key_Space);
    h.find<QRadioButton>("scatto3")->click();
    QTest::keyClick(h.find<QCheckBox>("fast"), Qt::Key_Space);
    h.sync();
    QCOMPARE(h.read_model([](Form1& f) { return f.Combo1.text; }), std::string("LG U8120"));
    QCOMPARE(h.read_model([](Form1& f) { return f.Combo2.text; }), std::string("/dev/ttyACM0"));
    QVERIFY(h.read_model([](Form1& f) { return f.nokia.value; }));
    QCOMPARE(h.read_model([](Form1& f) { return std::string(f.selected_sound()->name); }), std::string("scatto3"));
    QVERIFY(h.read_model([](Form1& f) { return f.link().mode() == WaitMode::fast; }));

    h.controller->run_job([](Form1& f) { f.List1.items = {"Audio", "Java"}; });
    h.wait_idle();
    h.find<QListWidget>("List1")->setCurrentRow(1);
    QCOMPARE(h.read_model([](Form1& f) { return f.List1.text(); }), std::string("Java"));
  }

  // A snapshot taken before the model saw an edit must not undo the edit on screen.
  void older_snapshot_does_not_undo_typing() {
    GuiHarness h;
    QCOMPARE(h.load(), StartResult::ok);
    QSemaphore gate;
    h.controller->run_job([&](Form1& f) {
      gate.acquire();
      f.Label3.caption = "354321098765432";
      f.platform().ui.repaint();
    });
    h.set_combo_text("Combo1", "LG U8130");  // queued behind the job
    gate.release();
    QTRY_COMPARE(h.find<QLabel>("Label3")->text(), QStringLiteral("354321098765432"));
    h.wait_idle();
    QCOMPARE(h.find<QComboBox>("Combo1")->currentText(), QStringLiteral("LG U8130"));
  }

  void a_running_job_holds_back_other_jobs_and_closing() {
    GuiHarness h;
    QCOMPARE(h.load(), StartResult::ok);
    QSemaphore gate;
    h.controller->run_job([&](Form1& f) {
      f.platform().ui.set_busy_pointer(true);
      f.set_progress(kFullProgress / 2);
      gate.acquire();
    });
    // The window keeps drawing while the handler is still at work.
    QTRY_COMPARE(dynamic_cast<ProgressLabel*>(h.find("Label5"))->text(), QStringLiteral("50 %"));
    QVERIFY(h.controller->job_running());
    for (const char* name : {"Command1", "Command2", "Command3", "Command4", "Command5", "Command7"})
      QVERIFY2(!h.find(name)->isEnabled(), name);
    QVERIFY(!h.find("List1")->isEnabled());
    QTRY_VERIFY(h.ui.busy);
    QVERIFY(!h.window.close());  // closing waits for the job
    QVERIFY(h.window.isVisible());
    gate.release();
    h.wait_idle();
    QTRY_VERIFY(!h.window.isVisible());
    QVERIFY(!h.ui.busy);  // pointer back to normal once the window is usable again
    QVERIFY(h.find("Command1")->isEnabled());
  }
};

LG81XX_GUI_TEST(BindingTest);

}  // namespace lg81xx::gui::testing

#include "binding_test.moc"
