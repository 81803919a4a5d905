#include "link/port_names.h"

#include <algorithm>
#include <cctype>

namespace lg81xx {
namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string com_item(int number) { return "COM  " + std::to_string(number); }

std::string com_device(int number) {
#ifdef _WIN32
  return "COM" + std::to_string(number);
#else
  return "/dev/ttyS" + std::to_string(number - 1);
#endif
}

std::optional<int> com_number(std::string_view combo_text) {
  std::string_view s = trimmed(combo_text);
  if (s.size() < 4) return std::nullopt;
  for (std::size_t i = 0; i < 3; ++i)
    if (std::toupper(static_cast<unsigned char>(s[i])) != "COM"[i]) return std::nullopt;
  s.remove_prefix(3);
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  int n = 0;
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    n = std::min(n * 10 + (c - '0'), 1000);  // any longer number is just as far out of range
  }
  return n;
}

std::string port_device(std::string_view combo_text) {
  std::string_view text = trimmed(combo_text);
  // "device (description)" as offered for a detected port.
  if (!text.empty() && text.back() == ')') {
    const auto open = text.find(" (");
    if (open != std::string_view::npos) text = trimmed(text.substr(0, open));
  }
  if (text.empty()) return {};
  if (const auto n = com_number(text)) return *n >= 1 && *n <= kComItems ? com_device(*n) : std::string{};
  return std::string(text);
}

std::string port_item(const std::string& device, const std::string& description) {
  return description.empty() ? device : device + " (" + description + ")";
}

}  // namespace lg81xx
