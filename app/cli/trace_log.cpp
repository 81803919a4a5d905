#include "trace_log.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "link/trace_format.h"

namespace lg81xx::cli {

TraceFn make_trace(std::ostream& out, const Clock& clock) {
  const std::int64_t start = clock.now_ms();
  return [&out, &clock, start](Direction direction, std::string_view bytes) {
    out << trace_line(clock.now_ms() - start, direction, bytes) << "\n" << std::flush;
  };
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
    if (!heading_.empty()) out_ << std::exchange(heading_, {});
    trace(direction, bytes);
  });
}

bool TraceFile::open(const std::filesystem::path& path) {
  path_ = path;
  heading_ = trace_heading("lg81xx-cli " LG81XX_VERSION, own_arguments());
  out_.open(path, std::ios::trunc);
  return out_.is_open();
}

bool TraceFile::complete() {
  if (!out_.is_open()) return true;
  out_.flush();  // every line is flushed as it goes: a full disk has shown by now
  return out_.good();
}

}  // namespace lg81xx::cli
