#include "progress_label.h"

#include <QPainter>
#include <QStyleOptionFrame>
#include <algorithm>

#include "widget_names.h"

namespace lg81xx::gui {

// The bar shows the legacy label's own caption until the first transfer.
ProgressLabel::ProgressLabel(QWidget* parent) : QWidget(parent), caption_(QStringLiteral("Label5")) {
  setObjectName(QLatin1String(names::kProgress));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setAccessibleName(caption_);
}

void ProgressLabel::set_progress(double fraction, const QString& caption) {
  fraction = std::clamp(fraction, 0.0, 1.0);
  if (fraction == fraction_ && caption == caption_) return;
  fraction_ = fraction;
  caption_ = caption;
  setAccessibleName(caption_);
  update();
}

QSize ProgressLabel::sizeHint() const { return {300, fontMetrics().height() + 10}; }

void ProgressLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  p.setPen(palette().color(QPalette::Mid));
  p.setBrush(palette().color(QPalette::Base));
  p.drawRoundedRect(track, 3, 3);
  if (fraction() <= 0) return;  // an empty bar has no caption to show, as the label at width 0

  QRectF filled = track;
  filled.setWidth(track.width() * fraction());
  p.setPen(Qt::NoPen);
  p.setBrush(palette().color(QPalette::Highlight));
  p.drawRoundedRect(filled, 3, 3);

  // The caption reads across the whole bar: dark on the empty part, light on the filled.
  p.setPen(palette().color(QPalette::Text));
  p.drawText(track, Qt::AlignCenter, caption_);
  p.setClipRect(filled);
  p.setPen(palette().color(QPalette::HighlightedText));
  p.drawText(track, Qt::AlignCenter, caption_);
}

}  // namespace lg81xx::gui
