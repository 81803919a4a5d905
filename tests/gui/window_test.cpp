// What only the window does: its controls named as on the form and bound to WindowModel both
// ways, the worker thread and the busy state, and the phone's names in List2.
#include <QCheckBox>
#include <QRadioButton>
#include <QSemaphore>
#include <QTabWidget>

#include <algorithm>

#include "base/hex_codec.h"
#include "gui_harness.h"
#include "jobs/messages.h"
#include "link/session_frames.h"
#include "phone/sound_table.h"
#include "support/jar_files.h"
#include "text_codec.h"

namespace lg81xx::gui::testing {
namespace {

using lg81xx::testing::Message;

class ShowCounter final : public QObject {
 public:
  explicit ShowCounter(QWidget* w) { w->installEventFilter(this); }
  int shown = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Show) ++shown;
    return false;
  }
};

}  // namespace

class WindowTest final : public QObject {
  Q_OBJECT
 private slots:
  // Scripts drive the window by the form's names; one row per kind of control.
  void controls_start_as_the_loaded_model_says() {
    GuiHarness h;
    QCOMPARE(h.load(), StartResult::ok);
    const std::pair<QString, QString> rows[] = {
        {"Label1", "Modello Telefono"},
        {"Combo1", ""},
        {"Command1", "Connetti/Disconnetti"},
        {"Text1", "00"},
        {"nokia", "ABILITA EMULAZIONE NOKIA MIDP"},
        {"Label5", "Label5"},
        {to_qt(kSoundTable[0].name), to_qt(kSoundTable[0].caption)},
    };
    for (const auto& [name, text] : rows) {
      auto* w = h.window.findChild<QWidget*>(name);
      QVERIFY2(w, qPrintable(name));
      QCOMPARE(text_of(w), text);
    }
    auto& tabs = h.window.tabs();
    QCOMPARE((QStringList{tabs.tabText(0), tabs.tabText(1), tabs.tabText(2)}),
             (QStringList{"Applicazioni JAVA", "SUONI di Sistema", "File Manager"}));
    QVERIFY(h.find<QRadioButton>("mes1")->isChecked());
  }

  void edits_and_buttons_reach_the_model() {
    GuiHarness h("LG U8120");
    QCOMPARE(h.load(), StartResult::ok);
    h.set_combo_text("Combo1", "LG U8120");
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    QTest::keyClick(h.find<QCheckBox>("nokia"), Qt::Key_Space);
    h.find<QRadioButton>("scatto3")->click();
    QTest::keyClick(h.find<QCheckBox>("fast"), Qt::Key_Space);
    QVERIFY(h.read_model([](WindowModel& f) { return f.controls().nokia_emulation; }));
    QVERIFY(h.read_model([](WindowModel& f) { return f.fast(); }));

    h.click("Command1");  // connects only if the typed model and port reached the model
    h.wait_idle();

    write_file(h.home / "shutter.wav", "RIFF");
    h.ui.dialog_answers = {(h.home / "shutter.wav").string()};
    h.click("Command5");
    h.wait_idle();
    const auto& replaced = catalogue(MessageId::sound_replaced);
    // The phone's own sound, read first, is kept (or said not to be) before the new one goes.
    QCOMPARE(h.ui.messages.size(), std::size_t{2});
    QCOMPARE(h.ui.messages.back(), (Message{replaced.italian, MessageStyle::information, replaced.title}));
    QCOMPARE(read_file(h.storage / "CamTone/Shutter03.wav"), std::string("RIFF"));  // scatto3's file
  }

  // A snapshot taken before the model saw an edit must not undo the edit on screen.
  void older_snapshot_does_not_undo_typing() {
    GuiHarness h;
    QCOMPARE(h.load(), StartResult::ok);
    h.set_combo_text("Combo1", "LG U8130");
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    QSemaphore gate;
    h.controller->run_job([&](WindowModel& f) {
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
    connect_through_widgets(h);
    write_file(h.home / "a.jad", "MIDlet-Name: A\r\n");
    QVERIFY(lg81xx::testing::make_jar(h.home / "a.jar", {{"a.class", "a"}}));
    h.ui.dialog_answers = {(h.home / "a.jad").string(), (h.home / "a.jar").string()};
    h.click("Command2");
    h.wait_idle();
    QCOMPARE(h.find<QLabel>("Label8")->text(), QStringLiteral("a.jar"));
    QCOMPARE(h.find<QLineEdit>("Text1")->text(), QStringLiteral("01"));

    // The phone stores the descriptor: the user closes the window there, on the GUI thread,
    // while the install waits for its acknowledgement.
    QStringList seen;
    h.ui.answers = {true};  // cancel and close
    h.phone.context().on_log = [&](const std::string& line) {
      if (!seen.isEmpty() || !line.starts_with("stored ")) return;
      QMetaObject::invokeMethod(
          &h.window,
          [&] {
            seen << dynamic_cast<ProgressLabel*>(h.find("Label5"))->text() << h.find<QLabel>("status")->text();
            for (const char* name :
                 {"Combo1", "Combo2", "Command1", "Command2", "Command3", "Command4", "Command5", "Command7", "List1"})
              if (h.find(name)->isEnabled()) seen << name;
            if (!h.ui.busy) seen << "pointer";
            if (h.window.close()) seen << "closed";  // closing waits for the job
          },
          Qt::BlockingQueuedConnection);
    };
    h.click("Command3");
    h.wait_idle();
    QCOMPARE(seen, (QStringList{"0 %", "Installazione dell'applicazione in posizione 01... 0 byte di 16 byte"}));
    QCOMPARE(h.ui.questions, std::vector<std::string>{catalogue(MessageId::cancel_on_close).italian});
    QCOMPARE(h.ui.messages.size(), 1u);  // the cancel, never a phone that does not answer
    QCOMPARE(h.ui.messages[0].text,
             std::string(catalogue(MessageId::cancelled).italian) + "; arrivati al telefono: 01.jad");
    QTRY_VERIFY(!h.window.isVisible());
    QVERIFY(!h.ui.busy);  // pointer back to normal once the window is usable again
    QVERIFY(h.find("Command1")->isEnabled());

    h.controller.reset();
    const auto& log = h.phone.context().log_lines();
    QVERIFY(std::count(log.begin(), log.end(), "<< " + bin_to_hex(make_session_frames().disconnect_frame)) == 1);
    QVERIFY(
        std::none_of(log.begin(), log.end(), [](const std::string& l) { return l.starts_with("stored Java/01.jar"); }));
  }

  // The phone's data on screen, and names as people write them: List2 shows each as text,
  // and downloads the one chosen.
  void connect_and_list() {
    const QStringList names{"X", "città.jpg", "due\nrighe.txt", "perché è.mid", "€uro.txt"};
    GuiHarness h;
    write_file(h.storage / "Java/01.jad", "jad");
    for (const QString& name : names)
      write_file(h.storage / "Images" / name.toStdString(), "<" + name.toStdString() + ">");
    ShowCounter red(h.find("ledr"));
    connect_through_widgets(h);
    QVERIFY2(h.ui.messages.empty(), h.ui.messages.empty() ? "" : h.ui.messages[0].text.c_str());
    QCOMPARE(h.find<QLabel>("Label3")->text(), QStringLiteral("354321098765432"));
    QCOMPARE(h.find<QLabel>("Label4")->text(), QStringLiteral("U8130 V10c-EUR"));
    QCOMPARE(h.find<QLineEdit>("Text1")->text(), QStringLiteral("02"));
    QVERIFY(red.shown > 0);               // red while talking ...
    QVERIFY(h.find("ledr")->isHidden());  // ... green when done

    h.window.tabs().setCurrentIndex(2);  // "File Manager"
    auto* list1 = h.find<QListWidget>("List1");
    QCOMPARE(items(list1), (QStringList{"Animations", "Audios", "Images", "Videos", "VoiceRecord", "Java"}));
    QCOMPARE(list1->currentItem()->text(), QStringLiteral("Java"));  // whose entries List2 shows
    const int row = 2;                                               // Images
    list1->setCurrentRow(row);
    const QPoint at = list1->visualItemRect(list1->item(row)).center();
    // A double-click is a press and release, then the double-click event.
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list1->viewport(), Qt::LeftButton, {}, at);
    h.wait_idle();
    auto* list2 = h.find<QListWidget>("List2");
    QCOMPARE(items(list2), names);
    for (int i = 0; i < 3; ++i) {
      list2->setCurrentRow(i);
      const auto saved = h.home / ("copia" + std::to_string(i));
      h.ui.dialog_answers = {saved.string()};
      h.click("Command7");
      h.wait_idle();
      QCOMPARE(read_file(saved), "<" + names[i].toStdString() + ">");
    }
    QVERIFY(h.ui.messages.empty());

    // The last two chosen together (a click, then a Ctrl-click) go into a folder.
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, {}, list2->visualItemRect(list2->item(3)).center());
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list2->visualItemRect(list2->item(4)).center());
    const auto folder_chosen = h.home / "cartella";
    std::filesystem::create_directory(folder_chosen);
    h.ui.dialog_answers = {folder_chosen.string()};
    h.click("Command7");
    h.wait_idle();
    for (int i = 3; i < 5; ++i)
      QCOMPARE(read_file(folder_chosen / names[i].toStdString()), "<" + names[i].toStdString() + ">");
    QCOMPARE(h.ui.messages.size(), 1u);
    QCOMPARE(h.ui.messages[0].text, std::string("2 file salvati, 0 non salvati"));
  }
  // A model typed that is not in the list is not chosen; right after connect, DownLoad and
  // the read probe act on what the window shows.
  void what_the_window_shows_is_what_acts() {
    GuiHarness h;
    write_file(h.storage / "Java/01.jad", "<01.jad>");
    write_file(h.storage / "MessageTone/Message1.mid", "MThd");
    QCOMPARE(h.load(), StartResult::ok);
    QVERIFY(!h.find<QComboBox>("Combo1")->isEditable());
    h.set_combo_text("Combo1", "Nokia 3310");  // no such item: nothing chosen
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    h.click("Command1");
    h.wait_idle();
    QCOMPARE(h.ui.messages.size(), 1u);
    QCOMPARE(h.ui.messages[0].text, std::string(catalogue(MessageId::no_model_chosen).italian));

    h.set_combo_text("Combo1", "LG U8130");
    h.click("Command1");
    h.wait_idle();
    h.window.tabs().setCurrentIndex(2);  // "File Manager"
    h.click("Command7");                 // no entry chosen
    h.wait_idle();
    QCOMPARE(h.ui.messages.back().text, std::string(catalogue(MessageId::no_entry_selected).italian));
    auto* list2 = h.find<QListWidget>("List2");
    list2->setCurrentRow(static_cast<int>(items(list2).indexOf("01.jad")));
    h.ui.dialog_answers = {(h.home / "copia.jad").string()};
    h.click("Command7");
    h.wait_idle();
    QCOMPARE(read_file(h.home / "copia.jad"), std::string("<01.jad>"));

    h.window.tabs().setCurrentIndex(0);
    h.controller->tick();  // Timer1, as between the user's clicks
    h.wait_idle();
    h.click("Command4");
    h.wait_idle();
    QCOMPARE(h.ui.messages.size(), 2u);  // the probe succeeds without a word
    QVERIFY(h.window.close());           // idle: no question
    QVERIFY(h.ui.questions.empty());
  }
};

int run_window_tests(int argc, char** argv) {
  WindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lg81xx::gui::testing

#include "window_test.moc"
