#pragma once
// The lamp "Dati": the green disc ledv always shown, the red disc ledr above it at the
// same place, shown while an exchange is under way.
#include <QWidget>

namespace lg81xx::gui {

class LampDisc;

class TrafficLamp final : public QWidget {
 public:
  explicit TrafficLamp(QWidget* parent = nullptr);
  void set_red(bool red);
  bool red() const;

 private:
  LampDisc* ledv_;
  LampDisc* ledr_;
};

}  // namespace lg81xx::gui
