#include "json_text.h"

#include <cstdio>

#include "base/name_escapes.h"
#include "base/text_encoding.h"

namespace lg81xx::cli {
namespace {

void append_u_escape(std::string& out, unsigned code) {
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, "\\u%04X", code);
  out += escaped;
}

}  // namespace

std::string json_string(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = first_character(text.substr(i));
    if (!c) {
      append_u_escape(out, static_cast<unsigned char>(text[i]));
      ++i;
      continue;
    }
    switch (c->code_point) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (is_control_character(c->code_point))
          append_u_escape(out, c->code_point);
        else
          out += text.substr(i, c->size);
    }
    i += c->size;
  }
  return out + "\"";
}

std::string json_list(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += ", ";
    out += json_string(items[i]);
  }
  return out + "]";
}

}  // namespace lg81xx::cli
