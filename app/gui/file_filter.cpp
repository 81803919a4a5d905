#include "file_filter.h"

#include <QStringList>

#include "text_codec.h"

namespace lg81xx::gui {

QString qt_file_filter(std::string_view filter) {
  const QStringList parts = to_qt(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    entries << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), parts[i + 1].trimmed());
  if (parts.size() % 2 == 1 && !parts.back().trimmed().isEmpty()) entries << parts.back().trimmed();
  return entries.join(QStringLiteral(";;"));
}

}  // namespace lg81xx::gui
