// trace show: a recorded session read back for a person, one line per frame.
#include <fstream>
#include <iterator>

#include "commands.h"
#include "phone/trace/session_reader.h"

namespace lg81xx::cli {

int run_trace_show(Terminal& term, const std::filesystem::path& file, const std::optional<std::string>& model) {
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.is_open() || in.bad()) {
    term.err << "lg81xx-cli: cannot read the trace " << file.string() << "\n";
    return kLocalFile;
  }
  const Trace trace = read_trace(text);
  if (trace.records.empty()) {
    term.err << "lg81xx-cli: " << file.string() << " holds no frame of a trace\n";
    return kBadInput;
  }
  const TraceFamily family = family_of_trace(trace, model);
  for (const auto& line : trace.heading) term.out << "# " << line << "\n";
  if (family.family == Family::none)
    term.out << "# names not decoded: no family known (name the model with --model)\n";
  else
    term.out << "# names decoded as the " << (family.family == Family::u813 ? "U8130/U8138" : "U8110/U8120")
             << " family (" << family.source << ")\n";
  for (const auto& frame : show_trace(trace, family.family)) term.out << shown_line(frame) << "\n";
  for (const std::size_t line : trace.unreadable)
    term.err << "lg81xx-cli: warning: line " << line << " of " << file.string() << " is no frame\n";
  return kSuccess;
}

}  // namespace lg81xx::cli
