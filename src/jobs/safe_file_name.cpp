#include "jobs/safe_file_name.h"

#include "base/text_encoding.h"

namespace lg81xx {
namespace {

// The longest file name Linux file systems take, in bytes.
constexpr std::size_t kLongestFileName = 255;

std::string extension_of(const std::string& name) {
  const auto dot = name.rfind('.');
  return dot != std::string::npos && name.size() - dot <= 16 ? name.substr(dot) : "";
}

// `name` without its extension, cut before a whole character so that it and `tail` fit
// in kLongestFileName bytes.
std::string fitted(const std::string& name, const std::string& tail) {
  const std::string_view stem = std::string_view(name).substr(0, name.size() - extension_of(name).size());
  std::size_t keep = 0;
  while (keep < stem.size()) {
    const auto c = first_character(stem.substr(keep));  // the name holds whole characters only
    if (keep + c->size + tail.size() > kLongestFileName) break;
    keep += c->size;
  }
  return std::string(stem.substr(0, keep)) + tail;
}

// `name` cut to kLongestFileName bytes before a whole character, its extension kept.
std::string shortened(const std::string& name) {
  return name.size() <= kLongestFileName ? name : fitted(name, extension_of(name));
}

}  // namespace

std::optional<std::string> safe_file_name(std::string_view entry) {
  std::string name;
  for (std::size_t i = 0; i < entry.size();) {
    const auto c = first_character(entry.substr(i));
    const std::size_t size = c ? c->size : 1;
    const bool unsafe = !c || c->code_point == '/' || c->code_point == '\\' || c->code_point == ':' ||
                        is_control_character(c->code_point);
    if (!unsafe) name.append(entry.substr(i, size));
    i += size;
  }
  for (auto at = name.find(".."); at != std::string::npos; at = name.find("..")) name.erase(at, 2);
  // Leading blanks and a lone "." would make a hidden or empty name.
  while (!name.empty() && (name.front() == ' ' || name.front() == '.')) name.erase(0, 1);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (name.empty()) return std::nullopt;
  return shortened(name);
}

std::string numbered_file_name(const std::string& name, int number) {
  return fitted(name, " (" + std::to_string(number) + ")" + extension_of(name));
}

}  // namespace lg81xx
