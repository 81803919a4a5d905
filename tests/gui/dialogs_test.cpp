// The Qt side of the platform: message boxes with their icons and titles, the dialog
// filters, and where the program keeps its folder.
#include <QApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "connection_group.h"
#include "file_dialog.h"
#include "file_filter.h"
#include "jobs/port_choice.h"
#include "program_folder.h"
#include "qt_dialogs.h"
#include "remembered_choices.h"
#include "support/temp_dir.h"

namespace lg81xx::gui::testing {

using lg81xx::testing::read_file;
using lg81xx::testing::TempDir;
using lg81xx::testing::write_file;

class DialogsTest final : public QObject {
  Q_OBJECT

 private slots:
  // A box is as wide as its title needs, besides the title bar's buttons, however short its
  // text.
  void message_box_icon_and_title_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("shown_title");
    const QString text = QStringLiteral("IL TELEFONO NON RISPONDE <b>");
    auto row = [](const char* name, MessageStyle style, const char* title, const QString& said, int icon,
                  const char* shown) {
      QTest::newRow(name) << int(style) << QString(title) << said << icon << QString(shown);
    };
    row("critical", MessageStyle::critical, "ERRORE", text, QMessageBox::Critical, "ERRORE");
    row("information", MessageStyle::information, "JAVA OK", text, QMessageBox::Information, "JAVA OK");
    row("plain, no title", MessageStyle::plain, "", text, QMessageBox::NoIcon, "lg81xx");
    row("long title, short text", MessageStyle::information, "OPERAZIONE CONCLUSA", "ok", QMessageBox::Information,
        "OPERAZIONE CONCLUSA");
  }
  void message_box_icon_and_title() {
    QFETCH(int, style);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, icon);
    QFETCH(QString, shown_title);
    QWidget window;
    QtDialogs dialogs(window);
    QString seen_title, seen_text;
    int seen_icon = -1;
    int room = -1;  // the box's width beyond its title's
    // The box is modal: look at it from the event loop it runs, then press OK.
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      seen_title = box->windowTitle();
      seen_text = box->text();
      seen_icon = box->icon();
      room = box->width() - box->fontMetrics().horizontalAdvance(seen_title);
      box->accept();
    });
    dialogs.message_box(text.toStdString(), static_cast<MessageStyle>(style), title.toStdString());
    QCOMPARE(seen_icon, icon);
    QCOMPARE(seen_title, shown_title);
    QCOMPARE(seen_text, text);
    QVERIFY2(room >= 160, qPrintable(QString::number(room)));
  }

  // Before anything is replaced: Yes replaces, and the button a hasty Enter presses is No.
  void question_answers_yes_only_when_pressed() {
    QWidget window;
    QtDialogs dialogs(window);
    for (const bool press_yes : {false, true}) {
      QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        QPushButton* no = box->defaultButton();
        QVERIFY(no == box->button(QMessageBox::No));
        (press_yes ? box->button(QMessageBox::Yes) : no)->click();
      });
      QCOMPARE(dialogs.ask("FILE GIÀ ESISTENTE: sostituire a.jpg?", "CONFERMA"), press_yes);
    }
  }

  // The file dialogs speak Italian, and tell a file's type by its name alone: a folder
  // like /proc holds files that block whoever reads them.
  void file_dialog_in_italian_never_reads_a_file() {
    QVERIFY(load_italian_qt_texts(*QCoreApplication::instance()));
    QVERIFY(QCoreApplication::translate("QFileDialog", "Look in:") != QStringLiteral("Look in:"));

    TempDir folder;
    write_file(folder / "picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));  // a PNG by its content only
    const QFileInfo picture(QString::fromStdString((folder / "picture").string()));
    QVERIFY(QMimeDatabase().mimeTypeForFile(picture).name() == QStringLiteral("image/png"));
    const auto dialog = make_file_dialog(nullptr, QStringLiteral("Apri"), QString(), QString());
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    QCOMPARE(dialog->iconProvider()->type(picture),
             QMimeDatabase().mimeTypeForName("application/octet-stream").comment());

    // Once the folder is read, its files' size, type and date show whole.
    write_file(folder / "Saluti.jad", std::string(143, 'x'));
    dialog->setDirectory(QString::fromStdString(folder.path().string()));
    dialog->setViewMode(QFileDialog::Detail);
    dialog->show();
    auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(view);
    QVERIFY(QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) == 2; }));
    const auto shows_whole = [view](int column) {
      if (view->columnWidth(column) < view->header()->sectionSizeHint(column)) return false;
      for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
        const QString text = view->model()->index(row, column, view->rootIndex()).data().toString();
        if (view->columnWidth(column) <= view->fontMetrics().horizontalAdvance(text)) return false;
      }
      return true;
    };
    for (int column = 1; column < view->header()->count(); ++column)
      QVERIFY2(QTest::qWaitFor([&] { return shows_whole(column); }), qPrintable(QString::number(column)));
  }

  void filter_in_qt_form() {
    QCOMPARE(qt_file_filter("A|*.a|B|*.b"), QStringLiteral("A (*.a);;B (*.b)"));
    QCOMPARE(qt_file_filter("*.mid"), QStringLiteral("*.mid"));
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

    // A build tree or unpacked copy: the executable's own writable folder.
    write_file(exe / "LG81XX.ini", "MIDP=0\r\n");
    QCOMPARE(choose_program_folder(places), exe.path());

    // --home wins, and is made when missing (the start-up writes its LG81XX.ini).
    places.home_option = other.path() / "new";
    QCOMPARE(choose_program_folder(places), other.path() / "new");
    QVERIFY(std::filesystem::is_directory(other.path() / "new"));
  }

  // The window's choices, its size and its tab outlive a run, per user; the first start is
  // "LG U8130", and a phone cable found now wins over the port of the last run.
  void remembered_choices_survive_a_restart() {
    TempDir folder;
    const QString file = QString::fromStdString((folder / "lg81xx.ini").string());
    {
      QSettings settings(file, QSettings::IniFormat);
      RememberedChoices first(settings);
      QCOMPARE(first.model(), QStringLiteral("LG U8130"));
      ConnectionGroup connection;
      first.watch(connection);
      emit connection.model_edited(QStringLiteral("LG U8110"));
      emit connection.port_edited(QStringLiteral("COM  4"));
      emit connection.fast_toggled(true);
    }
    {
      QSettings settings(file, QSettings::IniFormat);
      RememberedChoices last(settings);
      QWidget window;
      window.resize(640, 430);
      QTabWidget tabs;
      for (const char* tab : {"1", "2", "3"}) tabs.addTab(new QWidget, QLatin1String(tab));
      tabs.setCurrentIndex(2);
      last.keep_window(window, tabs);
    }
    QSettings settings(file, QSettings::IniFormat);
    const RememberedChoices next(settings);
    QCOMPARE(next.model(), QStringLiteral("LG U8110"));
    QCOMPARE(next.port(), QStringLiteral("COM  4"));
    QCOMPARE(next.fast(), true);
    QWidget window;
    QTabWidget tabs;
    for (const char* tab : {"1", "2", "3"}) tabs.addTab(new QWidget, QLatin1String(tab));
    next.restore_window(window, tabs);
    QCOMPARE(window.size(), QSize(640, 430));
    QCOMPARE(tabs.currentIndex(), 2);
    const PortInfo cable{"/dev/ttyACM0", "LG", 0x1004};
    const PortInfo other{"/dev/ttyUSB0", "FT232R", 0x0403};
    QCOMPARE(preselected_port({other}, "COM  4"), std::string("COM  4"));
    QCOMPARE(preselected_port({other, cable}, "COM  4"), std::string("/dev/ttyACM0 (LG)"));
  }
};

int run_dialogs_tests(int argc, char** argv) {
  DialogsTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lg81xx::gui::testing

#include "dialogs_test.moc"
