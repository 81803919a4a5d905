// The Qt side of the platform: message boxes with their icons and titles, the dialog
// filters, and where the program keeps its folder.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "file_filter.h"
#include "gui_test_registry.h"
#include "program_folder.h"
#include "qt_dialogs.h"
#include "shell/messages.h"
#include "support/temp_dir.h"
#include "text_codec.h"

namespace lg81xx::gui::testing {

using lg81xx::testing::read_file;
using lg81xx::testing::TempDir;
using lg81xx::testing::write_file;

class DialogsTest final : public QObject {
  Q_OBJECT

 private slots:
  void message_box_icon_and_title_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("shown_title");
    QTest::newRow("critical") << int(MessageStyle::critical) << "ERRORE" << int(QMessageBox::Critical) << "ERRORE";
    QTest::newRow("information") << int(MessageStyle::information) << "JAVA OK" << int(QMessageBox::Information)
                                 << "JAVA OK";
    QTest::newRow("plain, no title") << int(MessageStyle::plain) << "" << int(QMessageBox::NoIcon) << "lg81xx";
  }
  void message_box_icon_and_title() {
    QFETCH(int, style);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QString, shown_title);
    QWidget window;
    QtDialogs dialogs(window);
    QString seen_title, seen_text;
    int seen_icon = -1;
    // The box is modal: look at it from the event loop it runs, then press OK.
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      seen_title = box->windowTitle();
      seen_text = box->text();
      seen_icon = box->icon();
      box->accept();
    });
    dialogs.message_box("IL TELEFONO NON RISPONDE <b>", static_cast<MessageStyle>(style), title.toStdString());
    QCOMPARE(seen_icon, icon);
    QCOMPARE(seen_title, shown_title);
    QCOMPARE(seen_text, QStringLiteral("IL TELEFONO NON RISPONDE <b>"));
  }

  void filter_in_qt_form_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("jad") << "Java Descriptor|*.jad" << "Java Descriptor (*.jad)";
    QTest::newRow("sound") << "MIDI FILE|*.mid" << "MIDI FILE (*.mid)";
    QTest::newRow("two pairs") << "A|*.a|B|*.b" << "A (*.a);;B (*.b)";
    QTest::newRow("bare pattern") << "*.mid" << "*.mid";
    QTest::newRow("empty") << "" << "";
  }
  void filter_in_qt_form() {
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(qt_file_filter(filter.toStdString()), expected);
  }

  // The model's own texts are UTF-8; names from the phone are 8-bit and shown byte for byte.
  void texts_from_the_model_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("utf-8 message") << QByteArray("pu\xC3\xB2") << QString::fromUtf8("può");
    QTest::newRow("latin-1 name") << QByteArray("canzone\xE8.mid") << QString::fromUtf8("canzoneè.mid");
    QTest::newRow("ascii") << QByteArray("Java") << QStringLiteral("Java");
  }
  void texts_from_the_model() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(to_qt(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))), shown);
  }

  void program_folder_choice() {
    TempDir exe, user, share, other;
    write_file(share / "LG81XX.ini", "MIDP=0\r\n");
    write_file(share / "emu.zip", "zip");
    FolderPlaces places{std::nullopt, exe.path(), user.path() / "lg81xx", {other.path(), share.path()}};

    // Installed: the executable's folder holds no ini, so the user folder is seeded.
    QCOMPARE(choose_program_folder(places), user.path() / "lg81xx");
    QCOMPARE(read_file(user / "lg81xx/LG81XX.ini"), std::string("MIDP=0\r\n"));
    QCOMPARE(read_file(user / "lg81xx/emu.zip"), std::string("zip"));

    // Seeded once: a later start keeps the user's own file.
    write_file(user / "lg81xx/LG81XX.ini", "MIDP=1\r\n");
    QCOMPARE(choose_program_folder(places), user.path() / "lg81xx");
    QCOMPARE(read_file(user / "lg81xx/LG81XX.ini"), std::string("MIDP=1\r\n"));

    // A build tree or unpacked copy: the executable's own writable folder.
    write_file(exe / "LG81XX.ini", "MIDP=0\r\n");
    QCOMPARE(choose_program_folder(places), exe.path());

    // --home wins.
    places.home_option = other.path();
    QCOMPARE(choose_program_folder(places), other.path());
  }

  void program_folder_seeded_without_installed_defaults() {
    TempDir exe, user;
    const FolderPlaces places{std::nullopt, exe.path(), user.path() / "data", {}};
    QCOMPARE(choose_program_folder(places), user.path() / "data");
    QCOMPARE(read_file(user / "data/LG81XX.ini"), std::string("MIDP=0\r\n"));
  }
};

LG81XX_GUI_TEST(DialogsTest);

}  // namespace lg81xx::gui::testing

#include "dialogs_test.moc"
