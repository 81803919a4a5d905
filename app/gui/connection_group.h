#pragma once
// The connection group: the phone model, the port, "Trasferimento veloce" and
// "Connetti/Disconnetti".
#include <QGroupBox>

#include "window_snapshot.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace lg81xx::gui {

class ConnectionGroup final : public QGroupBox {
  Q_OBJECT
 public:
  explicit ConnectionGroup(QWidget* parent = nullptr);

  void show_state(const WindowSnapshot& s, bool inputs_current, bool job_running);
  QPushButton& connect_button() { return *connect_button_; }

 signals:
  void model_edited(const QString& text);
  void port_edited(const QString& text);
  void connect_clicked();
  void fast_toggled(bool fast);

 private:
  QLabel* model_label_;
  QComboBox* model_box_;
  QLabel* port_label_;
  QComboBox* port_box_;
  QPushButton* connect_button_;
  QCheckBox* fast_;
};

}  // namespace lg81xx::gui
