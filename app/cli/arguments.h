#pragma once
// Checks of the command line's arguments, made before anything is sent to the phone.
#include <optional>
#include <string>
#include <string_view>

#include "phone/sound_table.h"

namespace lg81xx::cli {

// "LG U8130", "lg u8130", "U8130" and "8130" all name the model "LG U8130".
std::optional<std::string> model_from_argument(std::string_view text);

// An insertion position: exactly two digits, 00 to 64.
bool is_valid_position(std::string_view text);

// "mes1, mes2, ..." for the messages.
std::string sound_names();

enum class PortKind { virtual_phone, serial };
// "sim" is the built-in virtual phone; anything else names a serial port as the port box does
// (a port item such as "COM  3", or a device).
PortKind port_kind(std::string_view text);

}  // namespace lg81xx::cli
