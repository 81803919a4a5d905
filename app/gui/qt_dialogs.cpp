#include "qt_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QSettings>
#include <QSpacerItem>
#include <cstdio>

#include "file_dialog.h"
#include "file_filter.h"
#include "shell/window_texts.h"
#include "text_codec.h"

namespace lg81xx::gui {
namespace {

constexpr const char* kOpenFolder = "dialogs/open_folder";
constexpr const char* kSaveFolder = "dialogs/save_folder";

QMessageBox::Icon icon_of(MessageStyle style) {
  switch (style) {
    case MessageStyle::critical: return QMessageBox::Critical;
    case MessageStyle::warning: return QMessageBox::Warning;
    case MessageStyle::information: return QMessageBox::Information;
    case MessageStyle::plain: break;
  }
  return QMessageBox::NoIcon;
}

// A box sizes itself to its text; its title bar, drawn by the window manager, would cut a
// title longer than that ("DOWNLO..."). A spacer across the box's last row keeps it wide
// enough for the title and the title bar's buttons.
void widen_for_title(QMessageBox& box) {
  constexpr int kTitleBarButtons = 160;
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                grid->columnCount());
}

}  // namespace

void QtDialogs::message_box(const std::string& text, MessageStyle style, const std::string& title) {
  const std::string shown_title = title.empty() ? std::string(text::kAppTitle) : title;
  if (unattended_) {
    std::fprintf(stderr, "lg81xx: %s: %s\n", shown_title.c_str(), text.c_str());
    return;
  }
  QMessageBox box(icon_of(style), to_qt(shown_title), to_qt(text), QMessageBox::Ok, window_);
  box.setTextFormat(Qt::PlainText);
  widen_for_title(box);
  box.exec();
}

void QtDialogs::remember_folders_in(QSettings& settings) {
  settings_ = &settings;
  open_folder_ = settings.value(QLatin1String(kOpenFolder)).toString();
  save_folder_ = settings.value(QLatin1String(kSaveFolder)).toString();
}

void QtDialogs::keep(QString& folder, const QString& path, const char* key) {
  folder = QFileInfo(path).absolutePath();
  if (settings_) settings_->setValue(QLatin1String(key), folder);
}

bool QtDialogs::ask(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::Question, to_qt(title.empty() ? std::string(text::kAppTitle) : title), to_qt(text),
                  QMessageBox::Yes | QMessageBox::No, window_);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::No);  // nothing is replaced by a hasty Enter
  widen_for_title(box);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::open_file(const std::string& title, const std::string& filter) {
  const auto dialog = make_file_dialog(window_, title.empty() ? QStringLiteral("Apri") : to_qt(title), open_folder_,
                                       qt_file_filter(filter));
  dialog->setFileMode(QFileDialog::ExistingFile);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  const QString path = dialog->selectedFiles().constFirst();
  keep(open_folder_, path, kOpenFolder);
  return from_qt(QDir::toNativeSeparators(path));
}

std::optional<std::string> QtDialogs::save_file(const std::string& filter, const std::string& suggested_name) {
  // The suggested name comes from the phone: only its last part is offered, inside the
  // folder the user last chose (or of the last file opened, or the home folder). The model
  // itself asks before a file is replaced, when it finds one there at the moment of saving.
  const QString start = !save_folder_.isEmpty()   ? save_folder_
                        : !open_folder_.isEmpty() ? open_folder_
                                                  : QDir::homePath();
  const auto dialog =
      make_file_dialog(window_, QStringLiteral("Salva con nome"),
                       QDir(start).filePath(QFileInfo(to_qt(suggested_name)).fileName()), qt_file_filter(filter));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  const QString path = dialog->selectedFiles().constFirst();
  keep(save_folder_, path, kSaveFolder);
  return from_qt(QDir::toNativeSeparators(path));
}

std::optional<std::string> QtDialogs::choose_folder() {
  const QString start = !save_folder_.isEmpty()   ? save_folder_
                        : !open_folder_.isEmpty() ? open_folder_
                                                  : QDir::homePath();
  const auto dialog = make_file_dialog(window_, QStringLiteral("Scegli la cartella in cui salvare i file"), start, {});
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setOption(QFileDialog::ShowDirsOnly);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  const QString path = dialog->selectedFiles().constFirst();
  save_folder_ = QDir(path).absolutePath();
  if (settings_) settings_->setValue(QLatin1String(kSaveFolder), save_folder_);
  return from_qt(QDir::toNativeSeparators(path));
}

void QtDialogs::set_busy_pointer(bool busy) {
  if (!window_) return;
  if (busy)
    window_->setCursor(Qt::WaitCursor);
  else
    window_->unsetCursor();
}

}  // namespace lg81xx::gui
