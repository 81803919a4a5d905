#pragma once
// The names a sound replacement sends: the target path ".." + the sound's path in the
// folder "Audio" (U8110/U8120, 8-bit text) or "Audios" (U8130/U8138, UTF-16LE).
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/bytes.h"
#include "phone/model_family.h"

namespace lg81xx {

struct SoundNames {
  Bytes folder;  // as handed to the upload engine; its length is the folder length
  Bytes file;    // likewise the file-name length
  std::int16_t folder_chars = 0;  // plain-text lengths, for the U8130/U8138 length bytes
  std::int16_t file_chars = 0;
};

// Nothing for a model outside the two families.
std::optional<SoundNames> sound_names(std::string_view path, Family family);

}  // namespace lg81xx
