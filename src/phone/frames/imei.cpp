#include "phone/frames/imei.h"

namespace lg81xx {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::string> imei_in(std::string_view answer) {
  for (std::size_t start = 0; start < answer.size();) {
    if (!is_digit(answer[start])) {
      ++start;
      continue;
    }
    std::size_t end = start;
    while (end < answer.size() && is_digit(answer[end])) ++end;
    // A run at the very end of what came may be cut short: only a byte after it closes it.
    if (end - start == kImeiLength && end < answer.size()) return std::string(answer.substr(start, kImeiLength));
    start = end;
  }
  return std::nullopt;
}

}  // namespace lg81xx
