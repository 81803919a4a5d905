#include "shell/position.h"

#include <cctype>

#include "base/number_text.h"

namespace lg81xx {
namespace {

constexpr int kHighestPosition = 64;

}  // namespace

std::string insertion_position(std::size_t rows) {
  std::string text = number_text(static_cast<double>(rows) / 2 + 1);
  if (text.size() < 2) text = "0" + text;
  return text;
}

std::optional<std::string> padded_position(std::string text) {
  if (text.size() < 2) text.insert(text.begin(), '0');
  if (text.size() != 2) return std::nullopt;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  if (std::stoi(text) > kHighestPosition) return std::nullopt;
  return text;
}

}  // namespace lg81xx
