#pragma once
// Just enough JSON for the command line's results: strings and lists of strings.
#include <string>
#include <string_view>
#include <vector>

namespace lg81xx::cli {

// A JSON string literal that carries `text` exactly: names are UTF-8 and pass as they
// are, control characters as \uXXXX. A byte that is not UTF-8 (a phone's information
// text is bytes) is written as the Latin-1 character it stands for, so the output is
// always valid JSON.
std::string json_string(std::string_view text);
std::string json_list(const std::vector<std::string>& items);

}  // namespace lg81xx::cli
