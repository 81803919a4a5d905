// Every control of the window is there, named as on the form, with its text; the lists
// and fields start as the loaded model says.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "gui_harness.h"
#include "gui_test_registry.h"
#include "progress_label.h"
#include "shell/messages.h"
#include "shell/sound_table.h"
#include "text_codec.h"

namespace lg81xx::gui::testing {
namespace {

QString text_of(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
  if (auto* p = dynamic_cast<ProgressLabel*>(w)) return p->text();
  return QStringLiteral("<no text>");
}

}  // namespace

class WindowControlsTest final : public QObject {
  Q_OBJECT
  std::unique_ptr<GuiHarness> h;

 private slots:
  void initTestCase() {
    h = std::make_unique<GuiHarness>();
    QCOMPARE(h->load(), StartResult::ok);
  }
  void cleanupTestCase() { h.reset(); }

  void control_has_its_text_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, const QString& text) { QTest::newRow(name) << QString(name) << text; };
    row("Label1", "Modello Telefono");
    row("Combo1", "");
    row("Label2", "Porta Comm");
    row("Combo2", "");
    row("Command1", "Connetti/Disconnetti");
    row("Label5", "Label5");
    row("Label6", "Posizione di inserimento");
    row("Text1", "00");
    row("Label7", "FILE CARICATO");
    row("Label8", "");
    row("Label10", "JAVA");
    row("Command2", "Carica JAD e JAR");
    row("nokia", "ABILITA EMULAZIONE NOKIA MIDP");
    row("Command3", "INVIA");
    row("Command4", "Command4");
    row("Command5", "Carica Nuovo Suono");
    row("Command7", "DownLoad");
    row("Label9", "Dati");
    row("Label3", "");
    row("Label4", "");
    for (const auto& sound : kSoundTable) {
      const QByteArray name = to_qt(sound.control).toLatin1();
      QTest::newRow(name.constData()) << QString(name) << to_qt(sound.caption);
    }
  }
  void control_has_its_text() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    auto* w = h->window.findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(text_of(w), text);
  }

  void tabs_and_title() {
    auto& tabs = h->window.tabs();
    QCOMPARE(tabs.count(), 3);
    QCOMPARE(tabs.tabText(0), QStringLiteral("Applicazioni JAVA"));
    QCOMPARE(tabs.tabText(1), QStringLiteral("SUONI di Sistema"));
    QCOMPARE(tabs.tabText(2), QStringLiteral("File Manager"));
  }

  void combos_hold_their_items_with_empty_text() {
    auto* combo1 = h->find<QComboBox>("Combo1");
    QCOMPARE(combo1->count(), 4);
    QCOMPARE(combo1->itemText(0), QStringLiteral("LG U8110"));
    QCOMPARE(combo1->itemText(3), QStringLiteral("LG U8138"));
    QCOMPARE(combo1->currentText(), QString());

    auto* combo2 = h->find<QComboBox>("Combo2");
    QCOMPARE(combo2->itemText(0), QStringLiteral("COM  1"));
    QCOMPARE(combo2->itemText(19), QStringLiteral("COM  20"));
    QCOMPARE(combo2->currentText(), QString());
  }

  void lamp_is_green_and_first_sound_chosen() {
    QVERIFY(h->find("ledr")->isHidden());
    QVERIFY(!h->find("ledv")->isHidden());
    QVERIFY(h->find<QRadioButton>("mes1")->isChecked());
  }
};

LG81XX_GUI_TEST(WindowControlsTest);

}  // namespace lg81xx::gui::testing

#include "window_controls_test.moc"
