#pragma once
// What a drag from a file manager carries, as the tabs take it: local files only.
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

class QMimeData;

namespace lg81xx::gui {

// The local files `data` carries, as native paths; empty when it carries anything else
// (text, a remote address) or nothing.
QStringList dropped_files(const QMimeData& data);

// The descriptor (*.jad) and the archive (*.jar) of a drag that carries exactly one of each.
std::optional<std::pair<QString, QString>> dropped_application(const QMimeData& data);

}  // namespace lg81xx::gui
