#include "phone/frames/manifest.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace lg81xx {
namespace {

constexpr std::string_view kJarSizeKey = "MIDlet-Jar-Size";

bool same_letter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

Bytes manifest_from(const Bytes& descriptor, Family family) {
  const auto cut =
      std::search(descriptor.begin(), descriptor.end(), kJarSizeKey.begin(), kJarSizeKey.end(), same_letter);
  Bytes manifest(descriptor.begin(), cut);
  if (manifest.empty() && cut != descriptor.end()) {
    // A descriptor that begins with its size keeps what follows that line.
    const auto next_line = std::find(cut, descriptor.end(), '\n');
    if (next_line != descriptor.end()) manifest.assign(next_line + 1, descriptor.end());
  }
  if (family == Family::u811_u812) manifest += "\r\n";
  return manifest;
}

}  // namespace lg81xx
