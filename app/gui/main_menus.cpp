#include "main_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "widget_names.h"

namespace lg81xx::gui {

MainMenus::MainMenus(QMenuBar& bar) : QObject(&bar) {
  menus_ = {bar.addMenu(QStringLiteral("&File")), bar.addMenu(QStringLiteral("&Telefono")),
            bar.addMenu(QStringLiteral("&Aiuto"))};
  menus_[0]->setObjectName(QLatin1String(names::kFileMenu));
  menus_[1]->setObjectName(QLatin1String(names::kPhoneMenu));
  menus_[2]->setObjectName(QLatin1String(names::kHelpMenu));
}

QAction& MainMenus::add(Menu menu, const QString& text, When when, std::function<void()> triggered, QKeySequence keys) {
  QAction* action = menus_[static_cast<std::size_t>(menu)]->addAction(text);
  action->setShortcut(keys);
  // Queued: the menu is closed before the entry opens a box or a dialog of its own.
  connect(
      action, &QAction::triggered, this, [triggered = std::move(triggered)] { triggered(); }, Qt::QueuedConnection);
  if (when == When::between_jobs) job_entries_.push_back(action);
  return *action;
}

void MainMenus::add_separator(Menu menu) { menus_[static_cast<std::size_t>(menu)]->addSeparator(); }

void MainMenus::set_job_running(bool running) {
  for (QAction* action : job_entries_) action->setEnabled(!running);
}

}  // namespace lg81xx::gui
