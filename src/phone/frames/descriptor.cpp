#include "phone/frames/descriptor.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace lg81xx {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool is_blank(char c) { return c == ' ' || c == '\t'; }

bool same_letters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Where the value of the first line `key: value` lies in `text`: from the first byte after
// the colon and its blanks to the last byte before the line end and trailing blanks.
struct Value {
  std::size_t begin;
  std::size_t end;
};

std::optional<Value> find_attribute(std::string_view text, std::string_view key) {
  std::size_t line = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  while (line < text.size()) {
    const std::size_t line_end = std::min(text.find('\n', line), text.size());
    std::size_t at = line + key.size();
    if (same_letters(text.substr(line, key.size()), key)) {
      while (at < line_end && is_blank(text[at])) ++at;
      if (at < line_end && text[at] == ':') {
        std::size_t begin = at + 1;
        while (begin < line_end && is_blank(text[begin])) ++begin;
        std::size_t end = line_end;
        while (end > begin && (is_blank(text[end - 1]) || text[end - 1] == '\r')) --end;
        return Value{begin, end};
      }
    }
    line = line_end + 1;
  }
  return std::nullopt;
}

constexpr std::string_view kJarSize = "MIDlet-Jar-Size";

}  // namespace

bool is_descriptor(const Bytes& content) {
  return find_attribute(content, "MIDlet-Name") || find_attribute(content, "MIDlet-Jar-URL");
}

std::optional<std::string> stated_jar_size(const Bytes& descriptor) {
  const auto value = find_attribute(descriptor, kJarSize);
  if (!value) return std::nullopt;
  return descriptor.substr(value->begin, value->end - value->begin);
}

Bytes with_jar_size(const Bytes& descriptor, std::uint64_t size) {
  const auto value = find_attribute(descriptor, kJarSize);
  if (!value) return descriptor;
  Bytes out = descriptor;
  out.replace(value->begin, value->end - value->begin, std::to_string(size));
  return out;
}

}  // namespace lg81xx
