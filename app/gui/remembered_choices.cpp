#include "remembered_choices.h"

#include <QSettings>
#include <QTabWidget>

#include "connection_group.h"

namespace lg81xx::gui {
namespace {

const QString kModel = QStringLiteral("connection/model");
const QString kPort = QStringLiteral("connection/port");
const QString kFast = QStringLiteral("connection/fast");
const QString kGeometry = QStringLiteral("window/geometry");
const QString kTab = QStringLiteral("window/tab");

}  // namespace

QString RememberedChoices::model() const {
  return settings_.value(kModel, QString::fromLatin1(kFirstModel)).toString();
}

QString RememberedChoices::port() const { return settings_.value(kPort).toString(); }

bool RememberedChoices::fast() const { return settings_.value(kFast, false).toBool(); }

void RememberedChoices::watch(ConnectionGroup& connection) {
  connect(&connection, &ConnectionGroup::model_edited, this,
          [this](const QString& text) { settings_.setValue(kModel, text); });
  connect(&connection, &ConnectionGroup::port_edited, this,
          [this](const QString& text) { settings_.setValue(kPort, text); });
  connect(&connection, &ConnectionGroup::fast_toggled, this, [this](bool fast) { settings_.setValue(kFast, fast); });
}

void RememberedChoices::restore_window(QWidget& window, QTabWidget& tabs) const {
  window.restoreGeometry(settings_.value(kGeometry).toByteArray());
  const int tab = settings_.value(kTab, tabs.currentIndex()).toInt();
  if (tab >= 0 && tab < tabs.count()) tabs.setCurrentIndex(tab);
}

void RememberedChoices::keep_window(const QWidget& window, const QTabWidget& tabs) {
  settings_.setValue(kGeometry, window.saveGeometry());
  settings_.setValue(kTab, tabs.currentIndex());
}

}  // namespace lg81xx::gui
