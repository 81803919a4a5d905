// The demo: the window's real backend (QSerialPort on its worker thread, steady clock)
// against the virtual phone on a pseudo-terminal with its sample content.
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
      f.choose_model(demo.model());
      f.choose_port(demo.device());
      f.set_fast(true);
      f.connect_or_disconnect();
      f.select_folder(2);  // Images
      f.open_folder();
      f.probe_message_tone();  // answered from the sample content: no message
    });
    QTRY_VERIFY_WITH_TIMEOUT(!controller.job_running(), 20000);
    QVERIFY2(ui.messages.empty(), ui.messages.empty() ? "" : ui.messages[0].text.c_str());
    QCOMPARE(window.findChild<QLabel*>("Label3")->text(), QStringLiteral("354321098765432"));
    auto* list2 = window.findChild<QListWidget*>("List2");
    QCOMPARE(list2->count(), 1);
    QCOMPARE(list2->item(0)->text(), QStringLiteral("lago.jpg"));  // the virtual phone's sample picture
  }
};

LG81XX_GUI_TEST(DemoTest);

}  // namespace lg81xx::gui::testing

#include "demo_test.moc"
