// Whole jobs through the widgets against the virtual phone (in-process, virtual time):
// connect and browse.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "gui_harness.h"
#include "gui_test_registry.h"
#include "support/temp_dir.h"

namespace lg81xx::gui::testing {
namespace {

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
    QCOMPARE(h.find<QLineEdit>("Text1")->text(), position);
    QVERIFY(red.shown > 0);               // red while talking ...
    QVERIFY(h.find("ledr")->isHidden());  // ... green when done
  }

  void double_click_on_a_folder_lists_it() {
    GuiHarness h;
    write_file(h.storage / "Images/logo.gif", "GIF89a");
    write_file(h.storage / "Images/foto.jpg", "jpg");
    connect_through_widgets(h, "LG U8130");
    h.window.tabs().setCurrentIndex(2);  // "File Manager"
    auto* list1 = h.find<QListWidget>("List1");
    const auto row = static_cast<int>(items(list1).indexOf(QStringLiteral("Images")));
    QVERIFY(row >= 0);
    list1->setCurrentRow(row);
    const QPoint at = list1->visualItemRect(list1->item(row)).center();
    // A double-click is a press and release, then the double-click event.
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list1->viewport(), Qt::LeftButton, {}, at);
    h.wait_idle();
    QStringList entries = items(h.find<QListWidget>("List2"));
    entries.sort();
    QCOMPARE(entries, (QStringList{"foto.jpg", "logo.gif"}));
    QVERIFY(h.ui.messages.empty());
  }

};

LG81XX_GUI_TEST(PhoneFlowTest);

}  // namespace lg81xx::gui::testing

#include "phone_flow_test.moc"
