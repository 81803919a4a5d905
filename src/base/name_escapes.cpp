#include "base/name_escapes.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "base/text_encoding.h"

namespace lg81xx {
namespace {

std::string hex_escape(char kind, unsigned value, int digits) {
  char text[8];
  std::snprintf(text, sizeof text, "\\%c%0*X", kind, digits, value);
  return text;
}

// The value of the `digits` hex digits at `at`, or nothing.
std::optional<unsigned> hex_at(std::string_view text, std::size_t at, std::size_t digits) {
  if (text.size() < at + digits) return std::nullopt;
  unsigned value = 0;
  const char* first = text.data() + at;
  const auto [end, error] = std::from_chars(first, first + digits, value, 16);
  if (error != std::errc{} || end != first + digits) return std::nullopt;
  return value;
}

void append_code_point(std::string& out, char32_t c) {
  // Through UTF-16LE and back: the one place that writes UTF-8.
  std::string unit{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  out += utf16le_to_utf8(unit).value_or("");
}

}  // namespace

std::string escaped_name(std::string_view name) {
  std::string out;
  for (std::size_t i = 0; i < name.size();) {
    const auto c = first_character(name.substr(i));
    if (!c) {
      out += hex_escape('x', static_cast<unsigned char>(name[i]), 2);
      ++i;
      continue;
    }
    const char32_t cp = c->code_point;
    if (cp == '\\') {
      out += "\\\\";
    } else if (cp == '\n') {
      out += "\\n";
    } else if (cp == '\r') {
      out += "\\r";
    } else if (cp == '\t') {
      out += "\\t";
    } else if (cp < 0x20 || cp == 0x7F) {
      out += hex_escape('x', cp, 2);
    } else if (is_control_character(cp)) {
      out += hex_escape('u', cp, 4);
    } else {
      out += name.substr(i, c->size);
    }
    i += c->size;
  }
  return out;
}

std::string quoted_name(std::string_view name) {
  std::string shown = escaped_name(name);
  if (!shown.empty() && shown.front() != ' ' && shown.back() != ' ') return shown;
  return "\"" + shown + "\"";
}

std::optional<std::string> unescaped_name(std::string_view shown) {
  std::string out;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] != '\\') {
      out.push_back(shown[i]);
      continue;
    }
    if (++i == shown.size()) return std::nullopt;
    switch (shown[i]) {
      case '\\': out.push_back('\\'); break;
      case 'n': out.push_back('\n'); break;
      case 'r': out.push_back('\r'); break;
      case 't': out.push_back('\t'); break;
      case 'x': {
        const auto byte = hex_at(shown, i + 1, 2);
        if (!byte) return std::nullopt;
        out.push_back(static_cast<char>(*byte));
        i += 2;
        break;
      }
      case 'u': {
        const auto code = hex_at(shown, i + 1, 4);
        if (!code || !is_control_character(*code)) return std::nullopt;
        append_code_point(out, *code);
        i += 4;
        break;
      }
      default: return std::nullopt;
    }
  }
  return out;
}

std::optional<std::string> listed_entry(const std::vector<std::string>& entries, std::string_view typed) {
  const auto listed = [&](std::string_view name) {
    return std::find(entries.begin(), entries.end(), name) != entries.end();
  };
  // The form plain output shows comes first: every listed entry can be reached by it,
  // even where another entry is spelled exactly so ("a\nb" beside "a", newline, "b").
  if (const auto exact = unescaped_name(typed); exact && listed(*exact)) return exact;
  if (listed(typed)) return std::string(typed);
  if (typed.size() >= 2 && typed.front() == '"' && typed.back() == '"')
    if (const auto inner = unescaped_name(typed.substr(1, typed.size() - 2));
        inner && listed(*inner) && quoted_name(*inner) == typed)
      return inner;
  return std::nullopt;
}

}  // namespace lg81xx
