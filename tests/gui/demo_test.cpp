// The demo: the window's real backend (QSerialPort on its worker thread, steady clock)
// against the virtual phone on a pseudo-terminal with its sample files.
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "demo_phone.h"
#include "form_controller.h"
#include "gui_test_registry.h"
#include "main_window.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace lg81xx::gui::testing {

using lg81xx::testing::RecordingUi;
using lg81xx::testing::TempDir;
using lg81xx::testing::write_file;

class DemoTest final : public QObject {
  Q_OBJECT

 private slots:
  void connect_and_list_over_the_pseudo_terminal() {
    DemoPhone demo("LG U8130", std::nullopt);
    TempDir home;
    write_file(home / "LG81XX.ini", "MIDP=1\r\n");
    RecordingUi ui;
    MainWindow window;
    FormController controller(window, ui, real_backend, home.path());
    bool loaded = false;
    controller.load([&](StartResult r) { loaded = r == StartResult::ok; });
    QTRY_VERIFY(loaded);

    controller.run_job([&demo](Form1& f) {
      f.Combo1.text = demo.model();
      f.Combo2.text = demo.device();
      f.link().set_mode(WaitMode::fast);
      f.Command1_Click();
      f.List1.list_index = 2;  // Images
      f.List1_DblClick();
    });
    QTRY_VERIFY_WITH_TIMEOUT(!controller.job_running(), 20000);
    QVERIFY2(ui.messages.empty(), ui.messages.empty() ? "" : ui.messages[0].text.c_str());
    QCOMPARE(window.findChild<QLabel*>("Label3")->text(), QStringLiteral("354321098765432"));
    auto* list2 = window.findChild<QListWidget*>("List2");
    QStringList entries;
    for (int i = 0; i < list2->count(); ++i) entries << list2->item(i)->text();
    entries.sort();
    QCOMPARE(entries, (QStringList{"leggimi.txt", "logo.gif"}));
  }
};

LG81XX_GUI_TEST(DemoTest);

}  // namespace lg81xx::gui::testing

#include "demo_test.moc"
