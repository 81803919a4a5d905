#pragma once
// Checks of the command line's arguments, made before anything is sent to the phone.
#include <optional>
#include <string>
#include <string_view>

#include "shell/sound_table.h"

namespace lg81xx::cli {

// "LG U8130", "lg u8130", "U8130" and "8130" all name the model "LG U8130".
std::optional<std::string> model_from_argument(std::string_view text);

// An insertion position: exactly two digits, 00 to 64.
bool is_valid_position(std::string_view text);

// "mes1, mes2, ..." for the messages.
std::string sound_names();

enum class PortKind { virtual_phone, com_item, device };
// "sim" is the built-in virtual phone; "COM  3" (any spacing) a port item; anything else a
// device path.
PortKind port_kind(std::string_view text);
// A COM item in the window's own spelling: "COM", two blanks and the number ("COM  3",
// "COM  12"), as the port list holds them.
std::optional<std::string> com_item_text(std::string_view text);

}  // namespace lg81xx::cli
