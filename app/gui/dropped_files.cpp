#include "dropped_files.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

namespace lg81xx::gui {

QStringList dropped_files(const QMimeData& data) {
  if (!data.hasUrls()) return {};
  QStringList paths;
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) return {};
    paths << QDir::toNativeSeparators(url.toLocalFile());
  }
  return paths;
}

std::optional<std::pair<QString, QString>> dropped_application(const QMimeData& data) {
  const QStringList paths = dropped_files(data);
  if (paths.size() != 2) return std::nullopt;
  auto is = [](const QString& path, const char* extension) {
    return path.endsWith(QLatin1String(extension), Qt::CaseInsensitive);
  };
  for (int jad = 0; jad < 2; ++jad)
    if (is(paths[jad], ".jad") && is(paths[1 - jad], ".jar")) return std::pair{paths[jad], paths[1 - jad]};
  return std::nullopt;
}

}  // namespace lg81xx::gui
