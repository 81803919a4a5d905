#include "trace_log.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace lg81xx::cli {

std::string trace_line(std::int64_t elapsed_ms, Direction direction, std::string_view bytes) {
  char head[32];
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

namespace {

bool plain(const std::string& argument) {
  if (argument.empty()) return false;
  for (const char c : argument) {
    const bool letter_or_digit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!letter_or_digit && std::string_view("-_./:=@%+,").find(c) == std::string_view::npos) return false;
  }
  return true;
}

std::string quoted(const std::string& argument) {
  if (plain(argument)) return argument;
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

}  // namespace

std::string trace_header(std::string_view program, const std::vector<std::string>& arguments) {
  std::string header = "# " + std::string(program) + "\n# command:";
  for (const auto& argument : arguments) header += " " + quoted(argument);
  return header + "\n";
}

std::vector<std::string> own_arguments() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> arguments;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\0', start), text.size());
    arguments.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (!arguments.empty()) arguments.erase(arguments.begin());  // the program's own name
  return arguments;
}

void TraceFile::attach(Link& link, const Clock& clock) {
  link.set_trace([this, trace = make_trace(out_, clock)](Direction direction, std::string_view bytes) {
    if (!header_.empty()) out_ << std::exchange(header_, {});
    trace(direction, bytes);
  });
}

bool TraceFile::open(const std::filesystem::path& path) {
  path_ = path;
  header_ = trace_header("lg81xx-cli " LG81XX_VERSION, own_arguments());
  out_.open(path, std::ios::trunc);
  return out_.is_open();
}

bool TraceFile::complete() {
  if (!out_.is_open()) return true;
  out_.flush();  // every line is flushed as it goes: a full disk has shown by now
  return out_.good();
}

}  // namespace lg81xx::cli
