// How the window stands after each way a job or a session ends: the user's disconnect, a
// cancel ("Annulla" or Escape) and a pulled line during a download, several downloads and
// an install, and a phone that falls silent. Once the session is over, every control says
// so; while it lasts, none says otherwise.
#include <QCheckBox>
#include <QTabWidget>
#include <map>

#include "gui_harness.h"
#include "jobs/messages.h"
#include "support/jar_files.h"

namespace lg81xx::gui::testing {
namespace {

enum class Job { disconnect, download, several, install, connect };
enum class End { none, cancel_button, escape, hang_up, silence };

constexpr const char* kConnected = "Connesso: LG U8130 su /dev/virtual-phone";

// Presses "Annulla" (or Escape) on the GUI thread once the phone logs `line`, while the job
// waits for that request's answer.
void cancel_when(GuiHarness& h, const std::string& line, End how) {
  auto done = std::make_shared<bool>(false);
  h.phone.context().on_log = [&h, line, how, done](const std::string& logged) {
    if (*done || logged.rfind(line, 0) != 0) return;
    *done = true;
    QMetaObject::invokeMethod(
        &h.window,
        [&h, how] {
          if (how == End::escape)
            QTest::keyClick(&h.window, Qt::Key_Escape);
          else
            h.click("cancel");
        },
        Qt::BlockingQueuedConnection);
  };
}

// Every control, as the window shows a session that is over or one that goes on.
void expect_window(GuiHarness& h, bool connected) {
  QCOMPARE(h.find<QLabel>("status")->text(), connected ? QString(kConnected) : QStringLiteral("Non connesso"));
  QCOMPARE(h.find<QLabel>("Label3")->text().isEmpty(), !connected);
  QCOMPARE(h.find<QLabel>("Label4")->text().isEmpty(), !connected);
  QCOMPARE(h.find<QListWidget>("List1")->count() == 0, !connected);
  if (!connected) QCOMPARE(h.find<QListWidget>("List2")->count(), 0);
  QCOMPARE(h.find<QComboBox>("Combo1")->isEnabled(), !connected);
  QCOMPARE(h.find<QComboBox>("Combo2")->isEnabled(), !connected);
  for (const char* name :
       {"fast", "Command1", "Command2", "Command3", "Command4", "Command5", "Command7", "send_file", "List1", "List2"})
    QVERIFY2(h.find(name)->isEnabled(), name);
  QVERIFY(h.find("cancel")->isHidden());
  QVERIFY(!h.ui.busy);
  QVERIFY(dynamic_cast<ProgressLabel*>(h.find("Label5"))->text() != QStringLiteral("100%"));
}

}  // namespace

class EndingsTest final : public QObject {
  Q_OBJECT

 private slots:
  void each_ending_leaves_the_window_true_data() {
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("message");  // the one box, by its start
    QTest::addColumn<bool>("connected");   // after the ending
    const auto& cancelled = catalogue(MessageId::cancelled).italian;
    const auto& lost = catalogue(MessageId::link_lost).italian;
    auto row = [](const char* name, Job job, End end, const std::string& message, bool connected) {
      QTest::newRow(name) << int(job) << int(end) << QString::fromStdString(message) << connected;
    };
    row("disconnect", Job::disconnect, End::none, "", false);
    row("download cancelled", Job::download, End::cancel_button, cancelled, false);
    row("download stopped by Escape", Job::download, End::escape, cancelled, false);
    row("several cancelled", Job::several, End::cancel_button, std::string(cancelled) + "; 0 file salvati, 2 non",
        false);
    row("install cancelled", Job::install, End::cancel_button,
        std::string(cancelled) + "; arrivati al telefono: 01.jad", false);
    row("download, line pulled", Job::download, End::hang_up, lost, false);
    row("several, line pulled", Job::several, End::hang_up, "0 file salvati, 2 non salvati", false);
    row("install, line pulled", Job::install, End::hang_up, std::string(lost) + "; arrivati al telefono: 01.jad",
        false);
    row("download, phone silent", Job::download, End::silence, catalogue(MessageId::no_reply_dots).italian, true);
    row("connect, phone silent", Job::connect, End::silence, catalogue(MessageId::no_reply).italian, false);
  }
  void each_ending_leaves_the_window_true() {
    QFETCH(int, job);
    QFETCH(int, end);
    QFETCH(QString, message);
    QFETCH(bool, connected);
    GuiHarness h;
    write_file(h.storage / "Images/grande.bin", std::string(6000, 'x'));
    write_file(h.storage / "Images/piccolo.bin", "y");
    write_file(h.home / "a.jad", "MIDlet-Name: A\r\n");
    QVERIFY(lg81xx::testing::make_jar(h.home / "a.jar", {{"a.class", "a"}}));
    connect_through_widgets(h);
    QCOMPARE(h.find<QLabel>("status")->text(), QString(kConnected));
    h.window.tabs().setCurrentIndex(2);
    h.open_folder("Images");
    auto* entries = h.find<QListWidget>("List2");
    QCOMPARE(items(entries), (QStringList{"grande.bin", "piccolo.bin"}));
    if (Job(job) == Job::install) {
      h.ui.dialog_answers = {(h.home / "a.jad").string(), (h.home / "a.jar").string()};
      h.click("Command2");
      h.wait_idle();
    }

    const std::map<Job, std::string> request{{Job::download, "sending Images/grande.bin"},
                                             {Job::several, "sending Images/grande.bin"},
                                             {Job::install, "stored Java/01.jad"}};
    const std::map<Job, int> pulled_at{{Job::download, 1}, {Job::several, 1}, {Job::install, 3}};
    switch (End(end)) {
      case End::cancel_button:
      case End::escape: cancel_when(h, request.at(Job(job)), End(end)); break;
      case End::hang_up:
        h.phone.set_faults({.fault_at = pulled_at.at(Job(job)), .fault = sim::ReplyFault::hang_up});
        break;
      case End::silence: h.phone.set_faults({.silent_after = 0}); break;
      case End::none: break;
    }
    switch (Job(job)) {
      case Job::disconnect: h.click("Command1"); break;
      case Job::download:
        entries->setCurrentRow(0);
        h.ui.dialog_answers = {(h.home / "copia.bin").string()};
        h.click("Command7");
        break;
      case Job::several:
        entries->selectAll();
        h.ui.dialog_answers = {h.home.path().string()};
        h.click("Command7");
        break;
      case Job::install: h.click("Command3"); break;
      case Job::connect:
        h.click("Command1");  // disconnects
        h.wait_idle();
        h.click("Command1");
        break;
    }
    h.wait_idle();
    QCOMPARE(h.ui.messages.size(), message.isEmpty() ? 0u : 1u);
    if (!message.isEmpty()) {
      const QString said = QString::fromStdString(h.ui.messages[0].text);
      QVERIFY2(said.startsWith(message), qPrintable(said));
    }
    expect_window(h, connected);
    QVERIFY(!std::filesystem::exists(h.home / "copia.bin"));

    // The connect button connects (or disconnects) as the window says.
    h.phone.set_faults({});
    h.click("Command1");
    h.wait_idle();
    expect_window(h, !connected);
  }
};

int run_endings_tests(int argc, char** argv) {
  EndingsTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lg81xx::gui::testing

#include "endings_test.moc"
