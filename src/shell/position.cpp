#include "shell/position.h"

#include "base/number_text.h"

namespace lg81xx {

std::string insertion_position(std::size_t rows) {
  std::string text = number_text(static_cast<double>(rows) / 2 + 1);
  if (text.size() < 2) text = "0" + text;
  return text;
}

}  // namespace lg81xx
