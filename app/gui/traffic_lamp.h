#pragma once
// The lamp "Dati": the green disc always shown, the red disc above it at the same place,
// shown while an exchange is under way.
#include <QWidget>

namespace lg81xx::gui {

class LampDisc;

class TrafficLamp final : public QWidget {
 public:
  explicit TrafficLamp(QWidget* parent = nullptr);
  void set_red(bool red);
  bool red() const;

 private:
  LampDisc* green_;
  LampDisc* red_;
};

}  // namespace lg81xx::gui
