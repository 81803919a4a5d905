#include "lamp_disc.h"

#include <QPainter>
#include <QRadialGradient>

namespace lg81xx::gui {

LampDisc::LampDisc(const QString& name, QColor color, QWidget* parent) : QWidget(parent), color_(color) {
  setObjectName(name);
  setFixedSize(kSize, kSize);
  setAttribute(Qt::WA_TranslucentBackground);
}

void LampDisc::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF disc = QRectF(rect()).adjusted(1, 1, -1, -1);
  QRadialGradient shine(disc.center() - QPointF(4, 4), disc.width() * 0.7);
  shine.setColorAt(0, color_.lighter(170));
  shine.setColorAt(1, color_.darker(115));
  p.setPen(QPen(color_.darker(170), 1));
  p.setBrush(shine);
  p.drawEllipse(disc);
}

}  // namespace lg81xx::gui
