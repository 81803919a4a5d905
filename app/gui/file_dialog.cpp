#include "file_dialog.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMimeDatabase>
#include <QTranslator>

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
  return dialog;
}

}  // namespace lg81xx::gui
