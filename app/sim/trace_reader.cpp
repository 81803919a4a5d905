#include "trace_reader.h"

#include <fstream>
#include <sstream>

namespace lg81xx::sim {
namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "12.345" as milliseconds; up to three decimals.
std::optional<std::int64_t> milliseconds(const std::string& text) {
  const auto point = text.find('.');
  const std::string whole = text.substr(0, point);
  const std::string part = point == std::string::npos ? "" : text.substr(point + 1);
  if (whole.empty() || whole.size() > 12 || part.size() > 3) return std::nullopt;
  std::int64_t ms = 0;
  for (const char c : whole + part + std::string(3 - part.size(), '0')) {
    if (c < '0' || c > '9') return std::nullopt;
    ms = ms * 10 + (c - '0');
  }
  return ms;
}

std::optional<Direction> direction_of(const std::string& arrow) {
  if (arrow == "->") return Direction::sent;
  if (arrow == "<-") return Direction::received;
  if (arrow == "<x") return Direction::dropped;
  return std::nullopt;
}

std::optional<TraceFrame> frame_of(const std::string& text, std::string& why) {
  std::istringstream words(text);
  std::string time, arrow;
  words >> time >> arrow;
  TraceFrame frame;
  const auto ms = milliseconds(time);
  const auto direction = direction_of(arrow);
  if (!ms || !direction) {
    why = "not a frame: seconds, then ->, <- or <x, then the bytes in hex";
    return std::nullopt;
  }
  frame.at_ms = *ms;
  frame.direction = *direction;
  for (std::string byte; words >> byte;) {
    if (byte.size() != 2 || hex_digit(byte[0]) < 0 || hex_digit(byte[1]) < 0) {
      why = "\"" + byte + "\" is not a byte in hex";
      return std::nullopt;
    }
    put_byte(frame.bytes, static_cast<unsigned>(hex_digit(byte[0]) * 16 + hex_digit(byte[1])));
  }
  if (frame.bytes.empty() && frame.direction == Direction::sent) {
    why = "a frame sent without bytes";
    return std::nullopt;
  }
  return frame;
}

}  // namespace

std::optional<Trace> read_trace(std::istream& in, std::string& why) {
  Trace trace;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    if (line[first] == '#') {
      const auto text = line.find_first_not_of(" \t", first + 1);
      trace.comments.push_back(text == std::string::npos ? "" : line.substr(text));
      continue;
    }
    auto frame = frame_of(line, why);
    if (!frame) {
      why = "line " + std::to_string(number) + ": " + why;
      return std::nullopt;
    }
    frame->line = number;
    trace.frames.push_back(std::move(*frame));
  }
  return trace;
}

std::optional<Trace> read_trace_file(const std::filesystem::path& path, std::string& why) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    why = "cannot read " + path.string();
    return std::nullopt;
  }
  return read_trace(in, why);
}

std::optional<std::string> trace_comment(const Trace& trace, const std::string& key) {
  const std::string head = key + ":";
  for (const auto& comment : trace.comments)
    if (comment.rfind(head, 0) == 0) {
      const auto value = comment.find_first_not_of(' ', head.size());
      return value == std::string::npos ? "" : comment.substr(value);
    }
  return std::nullopt;
}

}  // namespace lg81xx::sim
