#pragma once
// A name from the phone made fit to be a local file name.
#include <optional>
#include <string>
#include <string_view>

namespace lg81xx {

// `entry` as a plain file name: path separators, drive colons, "..", control characters
// and bytes that are not UTF-8 are removed, and a name longer than a file name may be is
// shortened before a whole character, its extension kept. Nothing when no usable name is
// left ("", ".", "..", "/").
std::optional<std::string> safe_file_name(std::string_view entry);

// "stem (2).ext" for `name` and 2: the name a second file that would have had the same
// one is given, still within the length of a file name.
std::string numbered_file_name(const std::string& name, int number);

}  // namespace lg81xx
