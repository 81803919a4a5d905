#include "link/trace_format.h"

#include <charconv>
#include <cstdio>

namespace lg81xx {
namespace {

constexpr std::string_view kHiddenWord = " file bytes]";

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view skip_blanks(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  return text;
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::uint64_t> leading_number(std::string_view& text) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end == text.data()) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return value;
}

// "12.345" as milliseconds: seconds (fewer than a trillion, which no run lasts and which
// keeps the milliseconds in range), a point and exactly three digits.
std::optional<std::int64_t> read_time(std::string_view& text) {
  const auto seconds = leading_number(text);
  if (!seconds || *seconds >= 1'000'000'000'000 || text.size() < 4 || text[0] != '.') return std::nullopt;
  std::int64_t ms = 0;
  for (std::size_t i = 1; i <= 3; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    ms = ms * 10 + (text[i] - '0');
  }
  text.remove_prefix(4);
  return static_cast<std::int64_t>(*seconds) * 1000 + ms;
}

std::optional<Direction> read_direction(std::string_view& text) {
  if (text.size() < 2) return std::nullopt;
  const std::string_view arrow = text.substr(0, 2);
  text.remove_prefix(2);
  if (arrow == "->") return Direction::sent;
  if (arrow == "<-") return Direction::received;
  if (arrow == "<x") return Direction::dropped;
  if (arrow == "!!") return Direction::note;
  return std::nullopt;
}

// The words of a command line as a shell splits them: blanks part words, quotes keep
// them together, a backslash outside single quotes takes the next character as it is;
// in double quotes \xHH is the byte HH, as command_argument writes a control character.
std::optional<std::vector<std::string>> command_words(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  char quote = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quote != 0) {
      if (c == quote) {
        quote = 0;
      } else if (c == '\\' && quote == '"' && i + 3 < line.size() && line[i + 1] == 'x' &&
                 hex_digit(line[i + 2]) >= 0 && hex_digit(line[i + 3]) >= 0) {
        word.push_back(static_cast<char>(hex_digit(line[i + 2]) << 4 | hex_digit(line[i + 3])));
        i += 3;
      } else if (c == '\\' && quote == '"' && i + 1 < line.size()) {
        word.push_back(line[++i]);
      } else {
        word.push_back(c);
      }
    } else if (c == '"' || c == '\'') {
      quote = c;
      in_word = true;
    } else if (c == '\\' && i + 1 < line.size()) {
      word.push_back(line[++i]);
      in_word = true;
    } else if (is_blank(c)) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else {
      word.push_back(c);
      in_word = true;
    }
  }
  if (quote != 0) return std::nullopt;
  if (in_word) words.push_back(std::move(word));
  return words;
}

// Made only of what a shell takes as it is: written without quotes.
bool plain_argument(std::string_view argument) {
  if (argument.empty()) return false;
  for (const char c : argument) {
    const bool letter_or_digit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!letter_or_digit && std::string_view("-_./:=@%+,").find(c) == std::string_view::npos) return false;
  }
  return true;
}

// One argument of the heading's command (trace_heading).
std::string command_argument(std::string_view argument) {
  if (plain_argument(argument)) return std::string(argument);
  std::string out = "\"";
  for (const char c : argument) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      out += escape;
      continue;
    }
    if (c == '"' || c == '\\' || c == '$' || c == '`') out += '\\';
    out += c;
  }
  return out + "\"";
}

constexpr std::string_view kCommandKey = "command:";

}  // namespace

std::optional<TraceRecord> read_trace_line(std::string_view line) {
  TraceRecord record;
  std::string_view rest = skip_blanks(line);
  const auto time = read_time(rest);
  if (!time) return std::nullopt;
  record.time_ms = *time;
  rest = skip_blanks(rest);
  const auto direction = read_direction(rest);
  if (!direction) return std::nullopt;
  record.direction = *direction;
  if (!rest.empty() && !is_blank(rest.front())) return std::nullopt;
  if (record.direction == Direction::note) {  // a line of text, kept as it stands
    record.bytes = std::string(skip_blanks(rest));
    return record;
  }
  for (rest = skip_blanks(rest); !rest.empty(); rest = skip_blanks(rest)) {
    if (rest.front() == '[') {
      rest.remove_prefix(1);
      const auto count = leading_number(rest);
      if (!count || *count == 0 || *count > (1u << 24) || !rest.starts_with(kHiddenWord)) return std::nullopt;
      rest.remove_prefix(kHiddenWord.size());
      record.hidden.push_back({record.bytes.size(), static_cast<std::size_t>(*count)});
      record.bytes.append(static_cast<std::size_t>(*count), '\0');
      continue;
    }
    if (rest.size() < 2) return std::nullopt;
    const int high = hex_digit(rest[0]);
    const int low = hex_digit(rest[1]);
    if (high < 0 || low < 0 || (rest.size() > 2 && !is_blank(rest[2]))) return std::nullopt;
    put_byte(record.bytes, static_cast<unsigned>(high << 4 | low));
    rest.remove_prefix(2);
  }
  return record;
}

Trace read_trace(std::string_view text) {
  Trace trace;
  std::size_t number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (skip_blanks(line).empty()) continue;
    if (line.front() == '#') {
      line.remove_prefix(1);
      if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
      trace.heading.emplace_back(line);
    } else if (auto record = read_trace_line(line)) {
      record->line = number;
      trace.records.push_back(std::move(*record));
    } else {
      trace.unreadable.push_back(number);
    }
  }
  return trace;
}

std::string trace_line(std::int64_t elapsed_ms, Direction direction, std::string_view bytes,
                       const std::vector<ByteSpan>& hidden) {
  char head[32];
  const char* arrow = direction == Direction::sent       ? "->"
                      : direction == Direction::received ? "<-"
                      : direction == Direction::dropped  ? "<x"
                                                         : "!!";
  std::snprintf(head, sizeof head, "%8lld.%03lld %s", static_cast<long long>(elapsed_ms / 1000),
                static_cast<long long>(elapsed_ms % 1000), arrow);
  std::string line = head;
  if (direction == Direction::note) return bytes.empty() ? line : line + " " + std::string(bytes);
  line.reserve(line.size() + 3 * bytes.size());
  static constexpr char kDigits[] = "0123456789ABCDEF";
  auto span = hidden.begin();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    while (span != hidden.end() && (span->start < i || span->length == 0)) ++span;
    if (span != hidden.end() && span->start == i) {
      const std::size_t length = std::min(span->length, bytes.size() - i);
      line += " [" + std::to_string(length) + std::string(kHiddenWord);
      i += length - 1;
      ++span;
      continue;
    }
    const auto byte = byte_at(bytes, i);
    line.push_back(' ');
    line.push_back(kDigits[byte >> 4]);
    line.push_back(kDigits[byte & 0x0F]);
  }
  return line;
}

std::string trace_heading(std::string_view program, const std::vector<std::string>& arguments) {
  std::string heading = "# " + std::string(program) + "\n# " + std::string(kCommandKey);
  for (const auto& argument : arguments) heading += " " + command_argument(argument);
  return heading + "\n";
}

std::optional<std::vector<std::string>> heading_command(const std::vector<std::string>& heading) {
  for (const std::string_view line : heading)
    if (line.starts_with(kCommandKey)) return command_words(line.substr(kCommandKey.size()));
  return std::nullopt;
}

std::optional<std::string> heading_option(const std::vector<std::string>& heading, std::string_view option) {
  const auto words = heading_command(heading);
  if (!words) return std::nullopt;
  std::optional<std::string> value;
  for (std::size_t i = 0; i < words->size(); ++i) {
    const std::string_view word = (*words)[i];
    if (word == option && i + 1 < words->size()) {
      value = (*words)[++i];
    } else if (word.size() > option.size() && word.starts_with(option) && word[option.size()] == '=') {
      value = std::string(word.substr(option.size() + 1));
    }
  }
  return value;
}

}  // namespace lg81xx
