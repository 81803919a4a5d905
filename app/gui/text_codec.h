#pragma once
// Texts between the model and Qt. The model's own messages are UTF-8; names and texts
// that come from the phone are 8-bit bytes, so anything that is not valid UTF-8 is shown
// byte for byte as Latin-1 rather than as replacement characters.
#include <QString>
#include <string>
#include <string_view>

namespace lg81xx::gui {

QString to_qt(std::string_view text);
std::string from_qt(const QString& text);

}  // namespace lg81xx::gui
