#pragma once
// Just enough JSON for the command line's results: strings and lists of strings.
#include <string>
#include <string_view>
#include <vector>

namespace lg81xx::cli {

// A JSON string literal. The phone's texts are bytes, not UTF-8: bytes from 80 up are
// written as the Latin-1 characters they stand for, so the output is always valid JSON.
std::string json_string(std::string_view bytes);
std::string json_list(const std::vector<std::string>& items);

}  // namespace lg81xx::cli
