#include "file_dialog.h"

#include <QCoreApplication>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QMimeDatabase>
#include <QTranslator>
#include <QTreeView>
#include <algorithm>

namespace lg81xx::gui {
namespace {

// The type by the name's extension; only a stat, no read.
QMimeType mime_by_name(const QFileInfo& info) {
  return QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
}

}  // namespace

bool load_italian_qt_texts(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
  if (info.isDir()) return icon(Folder);
  if (!info.isFile()) return icon(File);
  const QMimeType mime = mime_by_name(info);
  return QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName(), icon(File)));
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
  if (!info.isFile()) return QAbstractFileIconProvider::type(info);  // folders, drives, links: no content read
  const QMimeType mime = mime_by_name(info);
  return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

std::unique_ptr<QFileDialog> make_file_dialog(QWidget* parent, const QString& caption, const QString& start,
                                              const QString& filter) {
  static NameOnlyIconProvider provider;
  auto dialog = std::make_unique<QFileDialog>(parent, caption, start, filter);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setIconProvider(&provider);
  // Qt sizes the columns of the detail view for short English texts ("128.88 GB"): sizes,
  // types and dates as they show here ("143 bytes", "7 Dec 2026 12:00") were cut. Each folder
  // read gives those columns the width of what they show, and the names what is left.
  auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
  auto* files = dialog->findChild<QFileSystemModel*>();
  if (view && files)
    QObject::connect(files, &QFileSystemModel::directoryLoaded, view, [view] {
      constexpr int kNarrowestNames = 150;
      int details = 0;
      for (int column = 1; column < view->header()->count(); ++column) {
        view->resizeColumnToContents(column);
        details += view->columnWidth(column);
      }
      view->setColumnWidth(0, std::max(kNarrowestNames, view->viewport()->width() - details));
    });
  return dialog;
}

}  // namespace lg81xx::gui
