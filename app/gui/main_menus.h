#pragma once
// The menu bar: "File", "Telefono" and "Aiuto". Each entry is one call of add(), all made
// in WindowController::bind_menus(), in the order the menus show them: an entry for a new
// job is one more line there.
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace lg81xx::gui {

class MainMenus final : public QObject {
 public:
  enum class Menu { file, phone, help };
  // `between_jobs`: the entry starts a job, so it is disabled while one runs.
  enum class When { always, between_jobs };

  explicit MainMenus(QMenuBar& bar);

  // An entry at the end of `menu`; `keys` is its shortcut, if any.
  QAction& add(Menu menu, const QString& text, When when, std::function<void()> triggered, QKeySequence keys = {});
  void add_separator(Menu menu);
  // While a job runs the entries that start one are disabled.
  void set_job_running(bool running);

 private:
  std::array<QMenu*, 3> menus_{};
  std::vector<QAction*> job_entries_;
};

}  // namespace lg81xx::gui
