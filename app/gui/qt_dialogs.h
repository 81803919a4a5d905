#pragma once
// The window's UserInterface on the GUI thread: QMessageBox with the critical, warning or
// information icon and for the yes/no questions, QFileDialog for open, save and a folder, the busy
// pointer over the window.
#include <QPointer>
#include <QString>
#include <QWidget>

class QSettings;

#include "platform/user_interface.h"

namespace lg81xx::gui {

class QtDialogs final : public UserInterface {
 public:
  explicit QtDialogs(QWidget& window) : window_(&window) {}
  // The folders the open and save dialogs last showed are kept in `settings` (per user)
  // from run to run; `settings` must outlive this.
  void remember_folders_in(QSettings& settings);
  // Where nobody can press OK (the offscreen platform of a screenshot run), a message box
  // becomes a line on standard error.
  void set_unattended(bool unattended) { unattended_ = unattended; }

  void message_box(const std::string& text, MessageStyle style, const std::string& title) override;
  bool ask(const std::string& text, const std::string& title) override;
  std::optional<std::string> open_file(const std::string& title, const std::string& filter) override;
  std::optional<std::string> save_file(const std::string& filter, const std::string& suggested_name) override;
  std::optional<std::string> choose_folder() override;
  void set_busy_pointer(bool busy) override;
  void repaint() override {}  // the worker publishes snapshots instead

 private:
  QPointer<QWidget> window_;
  void keep(QString& folder, const QString& path, const char* key);

  QString open_folder_;
  QString save_folder_;
  QSettings* settings_ = nullptr;
  bool unattended_ = false;
};

}  // namespace lg81xx::gui
