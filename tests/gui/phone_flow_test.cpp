// Whole jobs through the widgets against the virtual phone (in-process, virtual time):
// connect and browse.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "gui_harness.h"
#include "shell/messages.h"
#include "gui_test_registry.h"
#include "support/temp_dir.h"

namespace lg81xx::gui::testing {
namespace {

using lg81xx::testing::read_file;
using lg81xx::testing::write_file;

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

}  // namespace

class PhoneFlowTest final : public QObject {
  Q_OBJECT

  static void connect_through_widgets(GuiHarness& h, const QString& model) {
    QCOMPARE(h.load(), StartResult::ok);
    h.set_combo_text("Combo1", model);
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    h.click("Command1");
    h.wait_idle();
  }

 private slots:
  void connect_shows_the_phone_data_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("position");
    QTest::newRow("U8130") << "LG U8130" << "U8130 V10c-EUR"
                           << QStringList{"Animations", "Audios", "Images", "Videos", "VoiceRecord", "Java"} << "02";
    QTest::newRow("U8110") << "LG U8110" << "U8110" << QStringList{"Immagini", "Audio", "Video", "Java"} << "02";
  }
  void connect_shows_the_phone_data() {
    QFETCH(QString, model);
    QFETCH(QString, info);
    QFETCH(QStringList, folders);
    QFETCH(QString, position);
    GuiHarness h(std::string("MIDP=1\r\n"), model.toStdString());
    write_file(h.storage / "Java/01.jad", "jad");
    ShowCounter red(h.find("ledr"));
    connect_through_widgets(h, model);

    QVERIFY2(h.ui.messages.empty(), h.ui.messages.empty() ? "" : h.ui.messages[0].text.c_str());
    QCOMPARE(h.find<QLabel>("Label3")->text(), QStringLiteral("354321098765432"));
    QCOMPARE(h.find<QLabel>("Label4")->text(), info);
    QCOMPARE(items(h.find<QListWidget>("List1")), folders);
    QCOMPARE(h.find<QListWidget>("List1")->currentItem()->text(), QStringLiteral("Java"));  // whose entries List2 shows
    QCOMPARE(h.find<QLineEdit>("Text1")->text(), position);
    QVERIFY(red.shown > 0);               // red while talking ...
    QVERIFY(h.find("ledr")->isHidden());  // ... green when done
  }

  // Names as people write them: List2 shows each as text and downloads it.
  void a_listed_folder_shows_and_downloads_its_names_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("folder");
    QTest::newRow("U8130") << "LG U8130" << "Images";
    QTest::newRow("U8110") << "LG U8110" << "Immagini";
  }
  void a_listed_folder_shows_and_downloads_its_names() {
    QFETCH(QString, model);
    QFETCH(QString, folder);
    const QStringList names{"X", "città.jpg", "due\nrighe.txt", "perché è.mid", "€uro.txt"};
    GuiHarness h(std::string("MIDP=1\r\n"), model.toStdString());
    for (const QString& name : names)
      write_file(h.storage / folder.toStdString() / name.toStdString(), "<" + name.toStdString() + ">");
    connect_through_widgets(h, model);
    h.window.tabs().setCurrentIndex(2);  // "File Manager"
    auto* list1 = h.find<QListWidget>("List1");
    const auto row = static_cast<int>(items(list1).indexOf(folder));
    QVERIFY(row >= 0);
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
    for (int i = 3; i < 5; ++i) QCOMPARE(read_file(folder_chosen / names[i].toStdString()), "<" + names[i].toStdString() + ">");
    QCOMPARE(h.ui.messages.size(), 1u);
    QCOMPARE(h.ui.messages[0].text, std::string("2 file salvati, 0 non salvati"));
  }

  // The status line and the choices of model and port follow the connection; right after
  // connect, DownLoad and the read probe act on what the window shows.
  void where_it_stands_and_what_acts_on_it() {
    GuiHarness h;
    write_file(h.storage / "Java/01.jad", "<01.jad>");
    write_file(h.storage / "MessageTone/Message1.mid", "MThd");
    QCOMPARE(h.load(), StartResult::ok);
    auto* combo1 = h.find<QComboBox>("Combo1");
    auto* combo2 = h.find<QComboBox>("Combo2");
    auto* status = h.find<QLabel>("status");
    QVERIFY(!combo1->isEditable());
    QCOMPARE(status->text(), QStringLiteral("Non connesso"));

    h.set_combo_text("Combo1", "Nokia 3310");  // no such item: nothing chosen
    h.set_combo_text("Combo2", "/dev/virtual-phone");
    h.click("Command1");
    h.wait_idle();
    QCOMPARE(h.ui.messages.size(), 1u);
    QCOMPARE(h.ui.messages[0].text, std::string(text::kNoModelChosen));

    h.set_combo_text("Combo1", "LG U8130");
    h.click("Command1");
    h.wait_idle();
    QCOMPARE(status->text(), QStringLiteral("Connesso: LG U8130 su /dev/virtual-phone"));
    QVERIFY(!combo1->isEnabled() && !combo2->isEnabled());
    QCOMPARE(h.read_model([](Form1& f) { return f.choose_model("LG U8110"); }), false);

    h.window.tabs().setCurrentIndex(2);  // "File Manager"
    h.click("Command7");  // no entry chosen
    h.wait_idle();
    QCOMPARE(h.ui.messages.back().text, std::string(text::kNoEntrySelected));
    auto* list2 = h.find<QListWidget>("List2");
    list2->setCurrentRow(static_cast<int>(items(list2).indexOf("01.jad")));
    const auto saved = h.home / "copia.jad";
    h.ui.dialog_answers = {saved.string()};
    h.click("Command7");
    h.wait_idle();
    QCOMPARE(read_file(saved), std::string("<01.jad>"));

    h.window.tabs().setCurrentIndex(0);
    h.controller->tick();  // Timer1, as between the user's clicks
    h.wait_idle();
    h.click("Command4");
    h.wait_idle();
    QCOMPARE(h.ui.messages.size(), 2u);  // the probe succeeds without a word

    h.click("Command1");
    h.wait_idle();
    QCOMPARE(status->text(), QStringLiteral("Non connesso"));
    QVERIFY(combo1->isEnabled() && combo2->isEnabled());
    QVERIFY(h.window.close());  // idle: no question
    QVERIFY(h.ui.questions.empty());
  }
};

LG81XX_GUI_TEST(PhoneFlowTest);

}  // namespace lg81xx::gui::testing

#include "phone_flow_test.moc"
