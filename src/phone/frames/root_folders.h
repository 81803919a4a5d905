#pragma once
// The root folders that a phone of the U813 family reports: from character 17 of its
// answer (00 bytes removed) the text reads "Name:/Name:/Name:", in UTF-16LE.
#include <string>
#include <string_view>
#include <vector>

namespace lg81xx {

inline constexpr std::size_t kRootFoldersStart = 17;

// The folder names of the answer in its order, as text (without "Java", which the caller
// adds).
std::vector<std::string> root_folders(std::string_view reply);

// `bytes` without its 00 bytes.
std::string without_nuls(std::string_view bytes);

}  // namespace lg81xx
