#pragma once
// LG81XX.ini: holds "MIDP=0" before the first start and "MIDP=1" after it. "MIDP=0"
// unpacks the emulation classes anew; a missing folder "emu" is unpacked whatever it says.
#include <string>

#include "base/bytes.h"

namespace lg81xx {

inline constexpr const char* kIniName = "LG81XX.ini";
inline constexpr const char* kIniBeforeFirstStart = "MIDP=0";
inline constexpr const char* kIniAfterFirstStart = "MIDP=1\r\n";

// The first field of the file: the text up to the first comma or line end.
std::string ini_first_field(const Bytes& content);

}  // namespace lg81xx
