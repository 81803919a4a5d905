#pragma once
// The window's choices kept between runs, per user, with QSettings: the model, the port,
// "Trasferimento veloce", and the window's size, place and tab (the file dialogs keep their
// own folders, QtDialogs).
// LG81XX.ini keeps only what it held before.
#include <QObject>
#include <QString>

class QSettings;
class QTabWidget;
class QWidget;

namespace lg81xx::gui {

class ConnectionGroup;

// The model the window starts with the first time.
inline constexpr const char* kFirstModel = "LG U8130";

class RememberedChoices final : public QObject {
 public:
  // Reads from and writes to `settings`, which must outlive this.
  explicit RememberedChoices(QSettings& settings) : settings_(settings) {}

  QString model() const;
  QString port() const;  // empty before the first choice
  bool fast() const;

  // From now on every choice the user makes in `connection` is kept.
  void watch(ConnectionGroup& connection);

  // The window as the last run left it; the first run leaves it as it is.
  void restore_window(QWidget& window, QTabWidget& tabs) const;
  void keep_window(const QWidget& window, const QTabWidget& tabs);

 private:
  QSettings& settings_;
};

}  // namespace lg81xx::gui
