#include "link/port_names.h"

#include <cctype>

namespace lg81xx {
namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// The number of "COM n" (blanks allowed before the number), 0 when the text is not one.
int com_number(std::string_view s) {
  if (s.size() < 4 || s.substr(0, 3) != "COM") return 0;
  s.remove_prefix(3);
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  if (s.empty() || s.size() > 3) return 0;
  int n = 0;
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

std::string com_device(int number) {
#ifdef _WIN32
  return "COM" + std::to_string(number);
#else
  return "/dev/ttyS" + std::to_string(number - 1);
#endif
}

std::string port_device(std::string_view combo_text) {
  std::string_view text = trimmed(combo_text);
  // "device (description)" as offered for a detected port.
  if (!text.empty() && text.back() == ')') {
    const auto open = text.find(" (");
    if (open != std::string_view::npos) text = trimmed(text.substr(0, open));
  }
  if (text.empty()) return {};
  if (const int n = com_number(text); n > 0) return com_device(n);
  return std::string(text);
}

std::string port_item(const std::string& device, const std::string& description) {
  return description.empty() ? device : device + " (" + description + ")";
}

}  // namespace lg81xx
