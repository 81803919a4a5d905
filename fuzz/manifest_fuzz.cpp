// The manifest cut takes any descriptor: the manifest is always the descriptor's start,
// holds no "MIDlet-Jar-Size" in any letter case, and the U8110/U8120 one ends in CR LF.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>

#include "phone/frames/manifest.h"

namespace {

bool has_jar_size_key(std::string_view text) {
  constexpr std::string_view key = "midlet-jar-size";
  return std::search(text.begin(), text.end(), key.begin(), key.end(),
                     [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }) != text.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lg81xx;
  const Bytes descriptor(reinterpret_cast<const char*>(data), size);
  const Bytes u813 = manifest_from(descriptor, Family::u813);
  if (descriptor.compare(0, u813.size(), u813) != 0) std::abort();
  if (has_jar_size_key(u813)) std::abort();
  if (u813.size() < descriptor.size() && !has_jar_size_key(descriptor)) std::abort();

  const Bytes u811 = manifest_from(descriptor, Family::u811_u812);
  if (u811 != u813 + "\r\n") std::abort();
  if (manifest_from(descriptor, Family::none) != u813) std::abort();
  return 0;
}
