#pragma once
// A system sound replaced: a file written over one of the phone's own sounds.
#include <string_view>

#include "phone/phone.h"

namespace lg81xx {

// Uploads `sound` as ".." + `path` ("/MessageTone/Message1.mid") into the folder "Audio"
// (U8110/U8120) or "Audios" (U8130/U8138). The line is free again however it ends.
JobResult replace_system_sound(Phone& phone, std::string_view path, const Bytes& sound);

}  // namespace lg81xx
