#include "base/number_text.h"

#include <cstdio>

namespace lg81xx {

std::string number_text(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  return buf;
}

}  // namespace lg81xx
