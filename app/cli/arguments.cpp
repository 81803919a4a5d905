#include "arguments.h"

#include <cctype>

#include "phone/model_family.h"

namespace lg81xx::cli {
namespace {

std::string upper(std::string_view text) {
  std::string out;
  for (char c : text) out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  return out;
}

bool all_digits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

}  // namespace

std::optional<std::string> model_from_argument(std::string_view text) {
  std::string t = upper(text);
  if (t.rfind("LG", 0) == 0) t = t.substr(2);
  while (!t.empty() && t.front() == ' ') t.erase(0, 1);
  if (!t.empty() && t.front() == 'U') t.erase(0, 1);
  const std::string model = "LG U" + t;
  if (!is_known_model(model)) return std::nullopt;
  return model;
}

bool is_valid_position(std::string_view text) {
  if (text.size() != 2 || !all_digits(text)) return false;
  return (text[0] - '0') * 10 + (text[1] - '0') <= 64;
}

std::string sound_names() {
  std::string out;
  for (const auto& row : kSoundTable) {
    if (!out.empty()) out += ", ";
    out += row.name;
  }
  return out;
}

PortKind port_kind(std::string_view text) {
  if (text == "sim") return PortKind::virtual_phone;
  return PortKind::serial;
}

}  // namespace lg81xx::cli
