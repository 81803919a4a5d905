#pragma once
// The dialogs' filters are written "Description|*.ext" (pairs joined by "|"); Qt wants
// "Description (*.ext)" with ";;" between the entries. A lone pattern ("*.mid") stays a
// pattern.
#include <QString>
#include <string_view>

namespace lg81xx::gui {

QString qt_file_filter(std::string_view filter);

}  // namespace lg81xx::gui
