#pragma once
// One lamp of the traffic light: a filled disc of 23 x 23 pixels, painted, so it stays
// sharp on high-DPI screens.
#include <QColor>
#include <QWidget>

namespace lg81xx::gui {

class LampDisc final : public QWidget {
 public:
  static constexpr int kSize = 23;
  LampDisc(const QString& name, QColor color, QWidget* parent = nullptr);
  QColor color() const { return color_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
};

}  // namespace lg81xx::gui
