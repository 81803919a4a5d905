#pragma once
// Renders a widget into a PNG file (works on the offscreen platform too).
#include <QString>

class QWidget;

namespace lg81xx::gui {

bool save_screenshot(QWidget& widget, const QString& file);

}  // namespace lg81xx::gui
