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

bool begins_with_jar_size(std::string_view text) {
  return text.size() >= kJarSizeKey.size() &&
         std::equal(kJarSizeKey.begin(), kJarSizeKey.end(), text.begin(), same_letter);
}

}  // namespace

Bytes manifest_from(const Bytes& descriptor, Family family) {
  std::string_view text(descriptor);
  // The manifest is the descriptor up to its size line. A descriptor that begins with that
  // line would give an empty manifest, and the phone an application without its
  // attributes; it gives the lines after it instead (a mend: the cut at the first
  // "MIDlet-Jar-Size" alone leaves nothing), and those are cut at a further size line.
  while (begins_with_jar_size(text)) {
    const auto line_end = text.find('\n');
    text = line_end == std::string_view::npos ? std::string_view{} : text.substr(line_end + 1);
  }
  const auto cut = std::search(text.begin(), text.end(), kJarSizeKey.begin(), kJarSizeKey.end(), same_letter);
  Bytes manifest(text.begin(), cut);
  if (family == Family::u811_u812) manifest += "\r\n";
  return manifest;
}

}  // namespace lg81xx
