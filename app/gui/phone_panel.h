#pragma once
// What the connected phone told us: its IMEI and information text, with the traffic lamp
// "Dati" beside them.
#include <QGroupBox>

#include "window_snapshot.h"

class QLabel;

namespace lg81xx::gui {

class TrafficLamp;

class PhonePanel final : public QGroupBox {
 public:
  explicit PhonePanel(QWidget* parent = nullptr);
  void show_state(const WindowSnapshot& s);

 private:
  QLabel* imei_;
  QLabel* information_;
  TrafficLamp* lamp_;
};

}  // namespace lg81xx::gui
