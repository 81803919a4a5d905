#include "traffic_lamp.h"

#include "lamp_disc.h"

namespace lg81xx::gui {

TrafficLamp::TrafficLamp(QWidget* parent)
    : QWidget(parent),
      ledv_(new LampDisc(QStringLiteral("ledv"), QColor(0x1e, 0xb0, 0x3c), this)),
      ledr_(new LampDisc(QStringLiteral("ledr"), QColor(0xe0, 0x20, 0x20), this)) {
  setFixedSize(LampDisc::kSize, LampDisc::kSize);
  ledr_->raise();
  ledr_->hide();
  setAccessibleName(QStringLiteral("Dati"));
}

void TrafficLamp::set_red(bool red) {
  // setHidden() rather than setVisible(): the red disc keeps its state even before the
  // window itself is shown.
  ledr_->setHidden(!red);
}

bool TrafficLamp::red() const { return !ledr_->isHidden(); }

}  // namespace lg81xx::gui
