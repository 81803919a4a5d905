#include "trace_log.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

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

TraceFile::TraceFile() : heading_(trace_heading("lg81xx-cli " LG81XX_VERSION, own_arguments())) {}

LogFileProblem TraceFile::open(const std::filesystem::path& path, const LogFileRules& rules) {
  path_ = path;
  return out_.open(path, rules);
}

void TraceFile::record(const std::filesystem::path& folder, std::ostream& err) {
  recorder_ = std::make_unique<SessionRecorder>(folder, "lg81xx-cli", heading_, [&err](const std::string& why) {
    err << "lg81xx-cli: warning: " << why << "\n";
  });
}

void TraceFile::attach(Link& link, const Clock& clock) {
  link.set_trace([this, &clock, start = clock.now_ms()](Direction direction, std::string_view bytes) {
    const std::int64_t elapsed = clock.now_ms() - start;
    if (out_.is_open()) {
      if (!heading_written_) heading_written_ = out_.write(heading_);
      out_.write(trace_line(elapsed, direction, bytes) + "\n");
    }
    if (recorder_) recorder_->frame(elapsed, direction, bytes);
  });
}

bool TraceFile::complete() { return out_.good(); }

}  // namespace lg81xx::cli
