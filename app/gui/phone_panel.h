#pragma once
// What the connected phone told us: its IMEI (Label3) and information text (Label4),
// with the traffic lamp "Dati" beside them.
#include <QGroupBox>

#include "form_snapshot.h"

class QLabel;

namespace lg81xx::gui {

class TrafficLamp;

class PhonePanel final : public QGroupBox {
 public:
  explicit PhonePanel(QWidget* parent = nullptr);
  void show_state(const FormSnapshot& s);

 private:
  QLabel* label3_;
  QLabel* label4_;
  TrafficLamp* lamp_;
};

}  // namespace lg81xx::gui
