#include "traffic_lamp.h"

#include "lamp_disc.h"
#include "widget_names.h"

namespace lg81xx::gui {

TrafficLamp::TrafficLamp(QWidget* parent)
    : QWidget(parent),
      green_(new LampDisc(QLatin1String(names::kGreenLamp), QColor(0x1e, 0xb0, 0x3c), this)),
      red_(new LampDisc(QLatin1String(names::kRedLamp), QColor(0xe0, 0x20, 0x20), this)) {
  setFixedSize(LampDisc::kSize, LampDisc::kSize);
  red_->raise();
  red_->hide();
  setAccessibleName(QStringLiteral("Dati"));
}

void TrafficLamp::set_red(bool red) {
  // setHidden() rather than setVisible(): the red disc keeps its state even before the
  // window itself is shown.
  red_->setHidden(!red);
}

bool TrafficLamp::red() const { return !red_->isHidden(); }

}  // namespace lg81xx::gui
