#include "jobs/position.h"

#include <bitset>
#include <cctype>

namespace lg81xx {
namespace {

constexpr int kHighestPosition = 64;

// The number that two digits write, or -1 for any other text.
int two_digit_value(std::string_view text) {
  auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  if (text.size() != 2 || !digit(text[0]) || !digit(text[1])) return -1;
  return (text[0] - '0') * 10 + (text[1] - '0');
}

bool is_application_file(std::string_view extension) {
  std::string lower(extension);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == ".jad" || lower == ".jar";
}

// The positions 00 .. 99 that the rows show as "NN.jad" or "NN.jar", whatever the case.
std::bitset<100> taken_positions(const std::vector<std::string>& java_rows) {
  std::bitset<100> taken;
  for (const std::string_view row : java_rows) {
    const int n = row.size() == 6 ? two_digit_value(row.substr(0, 2)) : -1;
    if (n >= 0 && is_application_file(row.substr(2))) taken.set(static_cast<std::size_t>(n));
  }
  return taken;
}

}  // namespace

bool is_taken(const std::vector<std::string>& java_rows, std::string_view position) {
  const int n = two_digit_value(position);
  return n >= 0 && taken_positions(java_rows).test(static_cast<std::size_t>(n));
}

std::optional<std::string> first_free_position(const std::vector<std::string>& java_rows) {
  const auto taken = taken_positions(java_rows);
  for (int n = 1; n <= kHighestPosition; ++n)
    if (!taken.test(static_cast<std::size_t>(n))) return std::string{char('0' + n / 10), char('0' + n % 10)};
  return std::nullopt;
}

std::optional<std::string> padded_position(std::string text) {
  if (text.size() < 2) text.insert(text.begin(), '0');
  const int n = two_digit_value(text);
  if (n < 0 || n > kHighestPosition) return std::nullopt;
  return text;
}

}  // namespace lg81xx
