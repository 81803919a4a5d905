// What only the window does: its controls named as on the form and bound to Form1 both
// ways, the worker thread and the busy state, and the phone's names in List2.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QListWidget>
#include <QPushButton>
#include <QSemaphore>
#include <QTabWidget>
#include <QTest>

#include "form_controller.h"
#include "main_window.h"
#include "phone_port.h"
#include "platform/files.h"
#include "platform/zip/zip_archiver.h"
#include "progress_label.h"
#include "shell/messages.h"
#include "shell/sound_table.h"
#include "support/jar_files.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"
#include "text_codec.h"
#include "virtual_phone.h"

namespace lg81xx::gui::testing {
namespace {

using lg81xx::testing::Message;
using lg81xx::testing::read_file;
using lg81xx::testing::RecordingUi;
using lg81xx::testing::TempDir;
using lg81xx::testing::write_file;

// The window and its controller over the in-process virtual phone on a virtual clock:
// every exchange answers at once, dialogs and message boxes are recorded, never shown.
struct GuiHarness {
  explicit GuiHarness(const std::string& model = "LG U8130")
      : phone(sim::PhoneOptions{model, "354321098765432", storage.path(), 0}) {
    write_file(home / "LG81XX.ini", "MIDP=1\r\n");
    controller = std::make_unique<FormController>(
        window, ui,
        [this] {
          return Backend{std::make_unique<sim::PhonePort>(phone), std::make_unique<VirtualClock>(),
                         std::make_unique<ZipArchiver>(), std::make_unique<LocalFiles>()};
        },
        home.path());
    window.show();
  }
  ~GuiHarness() { controller.reset(); }

  StartResult load() {
    std::optional<StartResult> result;
    controller->load([&](StartResult r) { result = r; });
    if (!QTest::qWaitFor([&] { return result.has_value(); }, 10000)) qWarning("the start-up did not finish");
    return result.value_or(StartResult::fatal);
  }
  void wait_idle() {
    if (!QTest::qWaitFor([&] { return !controller->job_running(); }, 20000)) qWarning("job did not finish");
  }
  template <typename W = QWidget>
  W* find(const char* name) {
    auto* w = window.findChild<W*>(QLatin1String(name));
    if (!w) qWarning("no widget named %s", name);
    return w;
  }
  // Reads the model on its own thread, after every queued edit reached it.
  template <typename F>
  auto read_model(F read) {
    decltype(read(std::declval<Form1&>())) value{};
    controller->run_job([&](Form1& form) { value = read(form); });
    wait_idle();
    return value;
  }
  void set_combo_text(const char* combo, const QString& text) {
    auto* box = find<QComboBox>(combo);
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
  }
  void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }

  TempDir home;
  TempDir storage;
  sim::VirtualPhone phone;
  RecordingUi ui;
  MainWindow window;
  std::unique_ptr<FormController> controller;
};

QString text_of(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
  if (auto* p = dynamic_cast<ProgressLabel*>(w)) return p->text();
  return QStringLiteral("<no text>");
}

QStringList items(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

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

void connect_through_widgets(GuiHarness& h) {
  QCOMPARE(h.load(), StartResult::ok);
  h.set_combo_text("Combo1", "LG U8130");
  h.set_combo_text("Combo2", "/dev/virtual-phone");
  h.click("Command1");
  h.wait_idle();
}

}  // namespace

class WindowTest final : public QObject {
  Q_OBJECT
  std::unique_ptr<GuiHarness> started;

 private slots:
  void initTestCase() {
    started = std::make_unique<GuiHarness>();
    QCOMPARE(started->load(), StartResult::ok);
  }
  void cleanupTestCase() { started.reset(); }

  // Scripts drive the window by the form's names; one row per kind of control.
  void controls_start_as_the_loaded_model_says_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("label") << "Label1" << "Modello Telefono";
    QTest::newRow("combo") << "Combo1" << "";
    QTest::newRow("button") << "Command1" << "Connetti/Disconnetti";
    QTest::newRow("line edit") << "Text1" << "00";
    QTest::newRow("check box") << "nokia" << "ABILITA EMULAZIONE NOKIA MIDP";
    QTest::newRow("progress") << "Label5" << "Label5";
    QTest::newRow("sound") << to_qt(kSoundTable[0].control) << to_qt(kSoundTable[0].caption);
  }
  void controls_start_as_the_loaded_model_says() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    auto* w = started->window.findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(text_of(w), text);
  }
  void tabs_and_sound_choice_start_as_the_loaded_model_says() {
    auto& tabs = started->window.tabs();
    QCOMPARE((QStringList{tabs.tabText(0), tabs.tabText(1), tabs.tabText(2)}),
             (QStringList{"Applicazioni JAVA", "SUONI di Sistema", "File Manager"}));
    QVERIFY(started->find<QRadioButton>("mes1")->isChecked());
  }

  void edits_and_buttons_reach_the_model() {
    GuiHarness h("LG U8120");
    QCOMPARE(h.load(), StartResult::ok);
    h.set_combo_text("Combo1", "LG U8120");
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    QTest::keyClick(h.find<QCheckBox>("nokia"), Qt::Key_Space);
    h.find<QRadioButton>("scatto3")->click();
    QTest::keyClick(h.find<QCheckBox>("fast"), Qt::Key_Space);
    QVERIFY(h.read_model([](Form1& f) { return f.controls().nokia.value; }));
    QVERIFY(h.read_model([](Form1& f) { return f.fast(); }));

    h.click("Command1");  // connects only if the typed model and port reached the model
    h.wait_idle();

    write_file(h.home / "shutter.wav", "RIFF");
    h.ui.dialog_answers = {(h.home / "shutter.wav").string()};
    h.click("Command5");
    h.wait_idle();
    QCOMPARE(h.ui.messages, (std::vector{Message{text::kSoundLoaded, MessageStyle::information, text::kSoundTitle}}));
    QCOMPARE(read_file(h.storage / "CamTone/Shutter03.wav"), std::string("RIFF"));  // scatto3's file
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
    connect_through_widgets(h);
    write_file(h.home / "a.jad", "MIDlet-Name: A\r\n");
    QVERIFY(lg81xx::testing::make_jar(h.home / "a.jar", {{"a.class", "a"}}));
    h.ui.dialog_answers = {(h.home / "a.jad").string(), (h.home / "a.jar").string()};
    h.click("Command2");
    h.wait_idle();
    QCOMPARE(h.find<QLabel>("Label8")->text(), QStringLiteral("a.jar"));
    QCOMPARE(h.find<QLineEdit>("Text1")->text(), QStringLiteral("01"));
    h.phone.set_faults({.silent_after = 1});  // the descriptor gets no acknowledgement

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
    const int row = 2;  // Images
    list1->setCurrentRow(row);
    const QPoint at = list1->visualItemRect(list1->item(row)).center();
    // A double-click is a press and release, then the double-click event.
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list1->viewport(), Qt::LeftButton, {}, at);
    h.wait_idle();
    auto* list2 = h.find<QListWidget>("List2");
    QCOMPARE(items(list2), names);
    for (int i = 0; i < names.size(); ++i) {
      list2->setCurrentRow(i);
      const auto saved = h.home / ("copia" + std::to_string(i));
      h.ui.dialog_answers = {saved.string()};
      h.click("Command7");
      h.wait_idle();
      QCOMPARE(read_file(saved), "<" + names[i].toStdString() + ">");
    }
    QVERIFY(h.ui.messages.empty());
  }
};

int run_window_tests(int argc, char** argv) {
  WindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lg81xx::gui::testing

#include "window_test.moc"
