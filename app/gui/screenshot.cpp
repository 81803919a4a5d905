#include "screenshot.h"

#include <QPixmap>
#include <QWidget>

namespace lg81xx::gui {

bool save_screenshot(QWidget& widget, const QString& file) {
  widget.ensurePolished();
  if (!widget.isVisible()) widget.show();
  return widget.grab().save(file, "PNG");
}

}  // namespace lg81xx::gui
