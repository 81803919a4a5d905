// What makes the window a desktop tool: files dropped on it, Enter and the shortcuts, the
// menu bar, and a session kept alive while the user chooses in a dialog.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSemaphore>
#include <QTabWidget>
#include <QUrl>
#include <atomic>

#include "about_box.h"
#include "base/hex_codec.h"
#include "gui_harness.h"
#include "java_tab.h"
#include "jobs/messages.h"
#include "link/session_frames.h"
#include "sample_content.h"
#include "sounds_tab.h"
#include "support/jar_files.h"
#include "support/temp_dir.h"

namespace lg81xx::gui::testing {
namespace {

// Drags `urls` onto `target` and drops them there if it takes them; true when it did.
bool drop(QWidget* target, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &dropped);
  return dropped.isAccepted();
}

// Enter where the keyboard is at `w`.
void press_enter(QWidget* w) {
  w->setFocus();
  QTest::keyClick(w, Qt::Key_Return);
}

QAction* menu_entry(MainWindow& window, const QString& text) {
  for (QAction* menu : window.findChild<QMenuBar*>()->actions())
    for (QAction* entry : menu->menu()->actions())
      if (entry->text().remove(QLatin1Char('&')) == text) return entry;
  return nullptr;
}

}  // namespace

class DesktopTest final : public QObject {
  Q_OBJECT

 private slots:
  // Each tab takes the drops it can use and refuses the others before anything runs.
  void drops_of_each_kind() {
    GuiHarness h;
    write_file(h.home / "x.txt", "x");
    write_file(h.home / "y.txt", "y");
    write_file(h.home / "tune.mid", sim::sample_tune(3));
    std::filesystem::path jad, jar;
    QVERIFY(sim::write_sample_midlet(h.home.path(), jad, jar));
    connect_through_widgets(h);
    h.open_folder("Images");

    auto url = [&](const char* name) { return QUrl::fromLocalFile(QString::fromStdString((h.home / name).string())); };
    const QUrl jad_url = url("Saluti.jad"), jar_url = url("Saluti.jar");
    QWidget* entries = h.find<QListWidget>("List2")->viewport();
    QWidget* java = &h.window.java_tab();
    QWidget* sounds = &h.window.sounds_tab();
    struct Row {
      const char* what;
      QWidget* target;
      QList<QUrl> urls;
    };
    const Row refused[] = {
        {"a page, not a file", entries, {QUrl(QStringLiteral("https://example.org/x.txt"))}},
        {"a JAD alone", java, {jad_url}},
        {"a JAD with a text", java, {jad_url, url("x.txt")}},
        {"two sounds", sounds, {url("tune.mid"), url("x.txt")}},
    };
    for (const auto& row : refused) QVERIFY2(!drop(row.target, row.urls), row.what);
    QVERIFY(h.ui.messages.empty());

    QVERIFY(drop(entries, {url("x.txt"), url("y.txt")}));
    h.wait_idle();
    QCOMPARE(read_file(h.storage / "Images/x.txt"), std::string("x"));
    QCOMPARE(read_file(h.storage / "Images/y.txt"), std::string("y"));
    QCOMPARE(h.ui.messages.back().text,
             std::string(catalogue(MessageId::files_sent).italian) + ": Images/x.txt, Images/y.txt");
    QVERIFY(items(h.find<QListWidget>("List2")).contains(QStringLiteral("y.txt")));

    QVERIFY(drop(java, {jar_url, jad_url}));  // either order
    h.wait_idle();
    QCOMPARE(h.find<QLabel>("Label8")->text(), QStringLiteral("Saluti.jar"));
    QVERIFY(h.ui.open_titles.empty());  // no dialog asked for them

    QVERIFY(drop(sounds, {url("tune.mid")}));  // for the sound chosen, "Messaggio Tipo 1"
    h.wait_idle();
    QCOMPARE(read_file(h.storage / "MessageTone/Message1.mid"), sim::sample_tune(3));
    QCOMPARE(h.ui.messages.back().text, std::string(catalogue(MessageId::sound_replaced).italian));
    QVERIFY(h.ui.open_titles.empty());
  }

  // The phone keeps its session while the user chooses where to save: the keep-alive goes
  // out from the save dialog, never during the transfer itself.
  void keep_alive_goes_on_while_the_save_dialog_is_open() {
    GuiHarness h;
    write_file(h.storage / "Images/grande.bin", std::string(6000, 'g'));
    connect_through_widgets(h);
    h.open_folder("Images");
    h.find<QListWidget>("List2")->setCurrentRow(0);
    const std::string keep_alive = "<< " + bin_to_hex(make_session_frames().keep_alive_frame);
    std::atomic<int> keep_alives{0};
    h.phone.context().on_log = [&](const std::string& line) {
      if (line == keep_alive) ++keep_alives;
      if (line.starts_with("sending "))  // the timer ticks while the transfer holds the line
        QMetaObject::invokeMethod(
            &h.window, [&] { h.controller->tick(); }, Qt::BlockingQueuedConnection);
    };
    h.ui.on_dialog = [&] {
      QCOMPARE(keep_alives.load(), 0);
      h.controller->tick();
      QVERIFY(QTest::qWaitFor([&] { return keep_alives.load() == 1; }, 10000));
    };
    h.ui.dialog_answers = {(h.home / "copia.bin").string()};
    h.click("Command7");
    h.wait_idle();
    h.phone.context().on_log = nullptr;  // the session's goodbye comes after this test's locals
    QCOMPARE(keep_alives.load(), 1);
    QCOMPARE(read_file(h.home / "copia.bin"), std::string(6000, 'g'));
  }

  // Enter presses the button of where the keyboard is: a focused button, otherwise the
  // tab's main one.
  void enter_presses_the_button_at_hand() {
    GuiHarness h;
    write_file(h.storage / "Images/a.bin", "a");
    QCOMPARE(h.load(), StartResult::ok);
    h.set_combo_text("Combo1", "LG U8130");
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    press_enter(h.find("Combo2"));  // in the connection group: "Connetti/Disconnetti"
    h.wait_idle();
    QCOMPARE(h.find<QLabel>("status")->text(), QStringLiteral("Connesso: LG U8130 su /dev/virtual-phone"));
    h.window.tabs().setCurrentIndex(2);
    auto* folders = h.find<QListWidget>("List1");
    folders->setCurrentRow(static_cast<int>(items(folders).indexOf("Images")));
    press_enter(folders);  // opens the folder
    h.wait_idle();
    auto* entries = h.find<QListWidget>("List2");
    QCOMPARE(items(entries), QStringList{"a.bin"});
    entries->setCurrentRow(0);
    h.ui.dialog_answers = {(h.home / "a.bin").string()};
    press_enter(entries);  // "DownLoad"
    h.wait_idle();
    QCOMPARE(read_file(h.home / "a.bin"), std::string("a"));

    h.window.tabs().setCurrentIndex(0);
    press_enter(h.find("Text1"));  // "INVIA", with nothing loaded
    h.wait_idle();
    QCOMPARE(h.ui.messages.back().text, std::string(catalogue(MessageId::no_selection).italian));
    press_enter(h.find("Command2"));  // the button with the focus
    h.wait_idle();
    QCOMPARE(h.ui.open_titles, std::vector<std::string>{text::kJadTitle});
    press_enter(h.find("fast"));  // in the connection group
    h.wait_idle();
    QCOMPARE(h.find<QLabel>("status")->text(), QStringLiteral("Non connesso"));
  }

  // The menus offer what the buttons do, wait while a job runs, and say what the program
  // is; "Esci" (Ctrl+Q) closes as the window's own close does.
  void menus_start_jobs_and_tell_about_the_program() {
    GuiHarness h;
    QCOMPARE(h.load(), StartResult::ok);
    QStringList titles;
    for (QAction* menu : h.window.findChild<QMenuBar*>()->actions()) titles << menu->text().remove(QLatin1Char('&'));
    QCOMPARE(titles, (QStringList{"File", "Telefono", "Aiuto"}));

    menu_entry(h.window, QString::fromUtf8(kAboutTitle))->trigger();
    QTRY_COMPARE(h.ui.messages.size(), 1u);
    QCOMPARE(h.ui.messages[0].title, std::string(kAboutTitle));
    QVERIFY(h.ui.messages[0].text.starts_with("lg81xx " LG81XX_VERSION));
    QVERIFY(h.ui.messages[0].text.find("GPL-3.0-or-later") != std::string::npos);
    QVERIFY(h.ui.messages[0].text.find("/lg81xx/sessions") != std::string::npos);  // where sessions are kept

    // The diagnosis in a box; the report saved where the save dialog says.
    menu_entry(h.window, QString::fromUtf8("Diagnosi della connessione…"))->trigger();
    QTRY_COMPARE(h.ui.messages.size(), 2u);
    QCOMPARE(h.ui.messages[1].title, std::string("DIAGNOSI DELLA CONNESSIONE"));
    lg81xx::testing::TempDir folder;
    const auto report = folder / "rapporto.zip";
    h.ui.dialog_answers = {report.string()};
    menu_entry(h.window, QString::fromUtf8("Salva rapporto per l'assistenza…"))->trigger();
    QTRY_COMPARE(h.ui.messages.size(), 3u);
    QVERIFY(h.ui.messages[2].text.starts_with("RAPPORTO SALVATO: " + report.string() + "\nreport.json\ndoctor.txt"));
    QVERIFY(!lg81xx::testing::jar_entries(lg81xx::testing::read_file(report)).empty());
    h.ui.messages.clear();

    h.set_combo_text("Combo1", "LG U8130");
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    QAction* connect = menu_entry(h.window, QStringLiteral("Connetti/Disconnetti"));
    QAction* quit = menu_entry(h.window, QStringLiteral("Esci"));
    QCOMPARE(quit->shortcut(), QKeySequence(QKeySequence::Quit));
    QSemaphore job_may_end;
    h.controller->run_job([&](WindowModel&) { job_may_end.acquire(); });
    QVERIFY(!connect->isEnabled());  // a job runs: the entry waits
    for (const char* entry : {"Backup del telefono…", "Ripristina dal backup…"})
      QVERIFY(!menu_entry(h.window, QString::fromUtf8(entry))->isEnabled());
    quit->trigger();  // asks, and the answer is no
    QTRY_COMPARE(h.ui.questions, std::vector<std::string>{catalogue(MessageId::cancel_on_close).italian});
    QVERIFY(h.window.isVisible());
    job_may_end.release();
    h.wait_idle();
    connect->trigger();
    QTRY_COMPARE(h.find<QLabel>("status")->text(), QStringLiteral("Connesso: LG U8130 su /dev/virtual-phone"));
    h.wait_idle();
    quit->trigger();
    QTRY_VERIFY(!h.window.isVisible());
  }
};

int run_desktop_tests(int argc, char** argv) {
  DesktopTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lg81xx::gui::testing

#include "desktop_test.moc"
