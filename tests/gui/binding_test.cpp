// The window follows the model and the model gets the user's edits, in order, through
// the worker thread.
#include <QComboBox>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>

#include "gui_harness.h"
#include "gui_test_registry.h"
#include "progress_label.h"
#include "shell/messages.h"

namespace lg81xx::gui::testing {
namespace {

using lg81xx::testing::Message;

// Counts how often a widget is shown and hidden on screen.
class VisibilityCounter final : public QObject {
 public:
  explicit VisibilityCounter(QWidget* w) { w->installEventFilter(this); }
  int shown = 0, hidden = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Show) ++shown;
    if (e->type() == QEvent::Hide) ++hidden;
    return false;
  }
};

}  // namespace

class BindingTest final : public QObject {
  Q_OBJECT

 private slots:
  void missing_ini_ends_start_with_internal_error() {
    GuiHarness h(std::nullopt);
    QCOMPARE(h.load(), StartResult::fatal);
    QCOMPARE(h.ui.messages.size(), 1u);
    QCOMPARE(h.ui.messages[0], (Message{text::kInternalText, MessageStyle::critical, text::kInternalTitle}));
  }

  void third_position_character_shows_the_range_message_each_time() {
    GuiHarness h;
    QCOMPARE(h.load(), StartResult::ok);
    auto* text1 = h.find<QLineEdit>("Text1");
    text1->selectAll();
    QTest::keyClicks(text1, "123");  // "1", "12", "123"
    QTRY_COMPARE(h.ui.messages.size(), 1u);
    QTest::keyClick(text1, Qt::Key_4);
    QTRY_COMPARE(h.ui.messages.size(), 2u);
    const Message expected{text::kPositionRange, MessageStyle::plain, text::kAppTitle};
    QCOMPARE(h.ui.messages[0], expected);
    QCOMPARE(h.ui.messages[1], expected);
    QCOMPARE(text1->text(), QStringLiteral("1234"));  // the text keeps what was typed
    QCOMPARE(h.read_model([](Form1& f) { return f.Text1.text; }), std::string("1234"));
  }

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

  void lamp_and_progress_follow_the_model() {
    GuiHarness h;
    QCOMPARE(h.load(), StartResult::ok);
    auto* ledr = h.find("ledr");
    auto* label5 = dynamic_cast<ProgressLabel*>(h.find("Label5"));
    VisibilityCounter counter(ledr);
    h.controller->run_job([](Form1& f) {
      f.show_lamp(true);
      f.set_progress(kFullProgress / 4);
      f.show_lamp(false);
    });
    h.wait_idle();
    QCOMPARE(counter.shown, 1);  // red during the exchange ...
    QVERIFY(ledr->isHidden());   // ... green after
    QCOMPARE(label5->text(), QStringLiteral("25 %"));
    QCOMPARE(label5->fraction(), 0.25);

    h.controller->run_job([](Form1& f) { f.set_progress_done(); });
    h.wait_idle();
    QCOMPARE(label5->text(), QStringLiteral("100%"));
    QCOMPARE(label5->fraction(), 1.0);
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
