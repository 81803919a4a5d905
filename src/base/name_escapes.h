#pragma once
// Names on a terminal. A phone's names are any text, so plain output escapes what would
// move the cursor, recolour the terminal, break a line or turn the text around: each
// entry stays one line, and its escaped form reads back to the exact name.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lg81xx {

// `name` as plain output shows it: "\\" for a backslash, "\n", "\r" and "\t", "\xHH" for
// any other C0 control, DEL or a byte that is not UTF-8, "\uHHHH" for the other controls.
std::string escaped_name(std::string_view name);

// escaped_name in double quotes when the name is empty or begins or ends with a blank,
// whose ends would not show otherwise ("   ", " a"); other names as escaped_name shows them.
std::string quoted_name(std::string_view name);

// The exact text that escaped_name shows as `shown`; nothing when a backslash in it starts
// no escape that escaped_name writes.
std::optional<std::string> unescaped_name(std::string_view shown);

// The listed entry that `typed` names: shown so by plain output (escaped, or quoted), or
// else spelled exactly so. Nothing when no entry matches.
std::optional<std::string> listed_entry(const std::vector<std::string>& entries, std::string_view typed);

}  // namespace lg81xx
