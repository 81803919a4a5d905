#pragma once
// What tests ask of a program's output or a trace: whether it holds a part, and its lines.
#include <sstream>
#include <string>
#include <vector>

namespace lg81xx::testing {

inline bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace lg81xx::testing
