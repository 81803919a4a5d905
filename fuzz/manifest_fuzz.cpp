// The manifest cut takes any descriptor: the manifest is the descriptor's start, or, when
// the descriptor begins with its "MIDlet-Jar-Size" line, the start of the lines after it;
// it runs up to a "MIDlet-Jar-Size" or the end and holds none in any letter case; the
// U8110/U8120 one ends in CR LF.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>

#include "phone/frames/manifest.h"

namespace {

constexpr std::string_view kKey = "midlet-jar-size";

bool same_letter(char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }

bool has_jar_size_key(std::string_view text) {
  return std::search(text.begin(), text.end(), kKey.begin(), kKey.end(), same_letter) != text.end();
}

bool begins_with_jar_size_key(std::string_view text) {
  return text.size() >= kKey.size() && std::equal(text.begin(), text.begin() + kKey.size(), kKey.begin(), same_letter);
}

// Where the manifest starts: after the lines at the descriptor's start that begin with
// the key.
std::size_t manifest_start(std::string_view descriptor) {
  std::size_t start = 0;
  while (begins_with_jar_size_key(descriptor.substr(start))) {
    const auto line_end = descriptor.find('\n', start);
    if (line_end == std::string_view::npos) return descriptor.size();
    start = line_end + 1;
  }
  return start;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lg81xx;
  const Bytes descriptor(reinterpret_cast<const char*>(data), size);
  const Bytes u813 = manifest_from(descriptor, Family::u813);
  const std::size_t start = manifest_start(descriptor);
  if (descriptor.compare(start, u813.size(), u813) != 0) std::abort();
  if (has_jar_size_key(u813)) std::abort();
  const std::size_t end = start + u813.size();
  if (end < descriptor.size() && !begins_with_jar_size_key(std::string_view(descriptor).substr(end))) std::abort();

  const Bytes u811 = manifest_from(descriptor, Family::u811_u812);
  if (u811 != u813 + "\r\n") std::abort();
  if (manifest_from(descriptor, Family::none) != u813) std::abort();
  return 0;
}
