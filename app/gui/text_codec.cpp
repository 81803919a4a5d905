#include "text_codec.h"

#include <QStringDecoder>

namespace lg81xx::gui {

QString to_qt(std::string_view text) {
  const auto size = static_cast<qsizetype>(text.size());
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8.decode(QByteArrayView(text.data(), size));
  if (!utf8.hasError()) return decoded;
  return QString::fromLatin1(text.data(), size);
}

std::string from_qt(const QString& text) { return text.toStdString(); }

}  // namespace lg81xx::gui
