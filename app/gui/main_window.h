#pragma once
// The window: the menu bar, the connection group, the phone panel with the lamp, the
// progress bar, the three tabs and the status line. It only shows snapshots and reports
// what the user does; the controller turns that into calls on the model. Enter presses the
// button of where the keyboard is (Connetti/Disconnetti in the connection group, a focused
// button, otherwise the tab's main one); Escape during a transfer presses "Annulla".
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

#include "window_snapshot.h"

class QLabel;
class QMenuBar;
class QPushButton;
class QShortcut;
class QTabWidget;

namespace lg81xx::gui {

class ConnectionGroup;
class PhonePanel;
class ProgressLabel;
class JavaTab;
class SoundsTab;
class FilesTab;
class MainMenus;

inline constexpr const char* kWindowTitle = "lg81xx - LG U8110/U8120/U8130/U8138";

class MainWindow final : public QWidget {
 public:
  explicit MainWindow(QWidget* parent = nullptr);

  void show_state(const WindowSnapshot& s, bool inputs_current);
  // While a job runs the buttons and lists that start another one are disabled; the
  // keyboard focus comes back where it was when the job ends.
  void set_job_running(bool running);
  bool job_running() const { return job_running_; }
  // Asked before the window closes; false keeps it open.
  std::function<bool()> may_close;
  // "Annulla" beside the progress bar, shown while a transfer runs; a click leaves it
  // disabled until it is shown again.
  QPushButton& cancel_button() { return *cancel_; }
  void show_cancel(bool shown);

  ConnectionGroup& connection() { return *connection_; }
  JavaTab& java_tab() { return *java_; }
  SoundsTab& sounds_tab() { return *sounds_; }
  FilesTab& files_tab() { return *files_; }
  QTabWidget& tabs() { return *tabs_; }
  MainMenus& menus() { return *menus_; }
  // The button of the tab on show that Enter presses.
  QPushButton& main_button();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void show_last();

  QMenuBar* menu_bar_;
  MainMenus* menus_;
  ConnectionGroup* connection_;
  PhonePanel* phone_;
  ProgressLabel* progress_;
  QPushButton* cancel_;
  QShortcut* escape_;  // presses "Annulla" while it is shown
  QTabWidget* tabs_;
  JavaTab* java_;
  SoundsTab* sounds_;
  FilesTab* files_;
  QLabel* status_;  // where the window stands: connected to which phone, or the job under way
  std::optional<WindowSnapshot> last_;
  bool last_inputs_current_ = true;
  bool job_running_ = false;
  QPointer<QWidget> focus_before_job_;
};

}  // namespace lg81xx::gui
