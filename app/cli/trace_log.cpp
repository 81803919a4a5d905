#include "trace_log.h"

#include <cstdio>
#include <string>

namespace lg81xx::cli {

std::string trace_line(std::int64_t elapsed_ms, Direction direction, std::string_view bytes) {
  char head[32];
  if (direction == Direction::note) {  // a line of text, not bytes
    std::snprintf(head, sizeof head, "%8lld.%03lld ", static_cast<long long>(elapsed_ms / 1000),
                  static_cast<long long>(elapsed_ms % 1000));
    return head + std::string(bytes);
  }
  const char* arrow = direction == Direction::sent ? "->" : direction == Direction::received ? "<-" : "<x";
  std::snprintf(head, sizeof head, "%8lld.%03lld %s", static_cast<long long>(elapsed_ms / 1000),
                static_cast<long long>(elapsed_ms % 1000), arrow);
  std::string line = head;
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    line.push_back(' ');
    line.push_back(kDigits[byte >> 4]);
    line.push_back(kDigits[byte & 0x0F]);
  }
  return line;
}

TraceFn make_trace(std::ostream& out, const Clock& clock) {
  const std::int64_t start = clock.now_ms();
  return [&out, &clock, start](Direction direction, std::string_view bytes) {
    out << trace_line(clock.now_ms() - start, direction, bytes) << "\n" << std::flush;
  };
}

bool TraceFile::open(const std::filesystem::path& path) {
  path_ = path;
  out_.open(path, std::ios::trunc);
  return out_.is_open();
}

bool TraceFile::complete() {
  if (!out_.is_open()) return true;
  out_.flush();  // every line is flushed as it goes: a full disk has shown by now
  return out_.good();
}

}  // namespace lg81xx::cli
