#pragma once
// Frame1: the phone model (Combo1), the port (Combo2) and "Connetti/Disconnetti".
#include <QGroupBox>

#include "form_snapshot.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace lg81xx::gui {

class ConnectionGroup final : public QGroupBox {
  Q_OBJECT
 public:
  explicit ConnectionGroup(QWidget* parent = nullptr);

  void show_state(const FormSnapshot& s, bool inputs_current, bool job_running);

 signals:
  void model_edited(const QString& text);
  void port_edited(const QString& text);
  void connect_clicked();
  void fast_toggled(bool fast);

 private:
  QLabel* label1_;
  QComboBox* combo1_;
  QLabel* label2_;
  QComboBox* combo2_;
  QPushButton* command1_;
  QCheckBox* fast_;
};

}  // namespace lg81xx::gui
