#include "phone/frames/sound_names.h"

#include "phone/wire_names.h"

#include <string>

namespace lg81xx {

std::optional<SoundNames> sound_names(std::string_view path, Family family) {
  const std::string target = ".." + std::string(path);
  const auto chars = static_cast<std::int16_t>(target.size());
  switch (family) {
    case Family::u811_u812:
      return SoundNames{"Audio", target, 5, chars};
    case Family::u813:
      // Each character followed by 00, and one more 00 to end the name.
      return SoundNames{utf16le("Audios") + '\0', utf16le(target) + '\0', 6, chars};
    case Family::none:
      break;
  }
  return std::nullopt;
}

}  // namespace lg81xx
