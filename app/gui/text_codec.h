#pragma once
// Texts between the model and Qt. The model's texts are UTF-8, the phone's file and
// folder names included; the IMEI and information texts are the phone's bytes as they
// came, so anything that is not valid UTF-8 is shown byte for byte as Latin-1 rather than
// as replacement characters.
#include <QString>
#include <string>
#include <string_view>

namespace lg81xx::gui {

QString to_qt(std::string_view text);
std::string from_qt(const QString& text);

}  // namespace lg81xx::gui
