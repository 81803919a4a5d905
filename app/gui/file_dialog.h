#pragma once
// The file dialogs, in the window's language and safe in any folder: Qt's own texts in
// Italian, and types and icons told by the name alone, never by opening a file. A folder
// like /proc holds files that block whoever reads them.
#include <QAbstractFileIconProvider>
#include <QFileDialog>
#include <memory>

class QCoreApplication;

namespace lg81xx::gui {

// Qt's Italian texts ("Cerca in", "Salva", "Sì"); false when they are not installed.
bool load_italian_qt_texts(QCoreApplication& app);

class NameOnlyIconProvider final : public QAbstractFileIconProvider {
 public:
  using QAbstractFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;
};

// Qt's own dialog (never the platform's) with the provider above.
std::unique_ptr<QFileDialog> make_file_dialog(QWidget* parent, const QString& caption, const QString& start,
                                              const QString& filter);

}  // namespace lg81xx::gui
