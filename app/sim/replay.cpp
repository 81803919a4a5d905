#include "replay.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "base/hex_codec.h"

namespace lg81xx::sim {
namespace {

// Where two byte strings first differ (the shorter one's length when it begins the other).
std::size_t first_difference(std::string_view a, std::string_view b) {
  return static_cast<std::size_t>(std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin()).first -
                                  a.begin());
}

}  // namespace

std::string spaced_hex(std::string_view bytes) {
  const std::string hex = bin_to_hex(bytes);
  std::string out;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    if (i > 0) out += ' ';
    out.append(hex, i, 2);
  }
  return out;
}

std::optional<RecordedSession> recorded_session(const Trace& trace, std::string& why) {
  const auto refuse = [&why](std::size_t line, const std::string& what) {
    why = "line " + std::to_string(line) + ": " + what;
    return std::nullopt;
  };
  const std::size_t first_unreadable = trace.unreadable.empty() ? SIZE_MAX : trace.unreadable.front();
  RecordedSession session;
  std::int64_t last_ms = 0;
  for (const auto& frame : trace.records) {
    if (frame.line > first_unreadable) break;
    if (frame.direction == Direction::note) continue;  // the client's own remark, not on the line
    if (!frame.hidden.empty()) return refuse(frame.line, "file data hidden as \"[N file bytes]\" cannot be replayed");
    if (frame.direction == Direction::sent) {
      if (frame.bytes.empty()) return refuse(frame.line, "a frame sent without bytes");
      session.requests.push_back(
          {static_cast<int>(session.requests.size()) + 1, static_cast<int>(frame.line), frame.bytes, {}});
    } else if (!frame.bytes.empty()) {
      auto& pieces = session.requests.empty() ? session.opening : session.requests.back().answer;
      pieces.push_back({std::max<std::int64_t>(frame.time_ms - last_ms, 0), frame.bytes});
    }
    last_ms = frame.time_ms;
  }
  if (!trace.unreadable.empty())
    return refuse(first_unreadable, "not a frame: seconds, then ->, <- or <x, then the bytes in hex");
  return session;
}

std::optional<RecordedSession> read_recording(const std::filesystem::path& path, std::string& why) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    why = "cannot read " + path.string();
    return std::nullopt;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return recorded_session(read_trace(text), why);
}

ReplayPhone::ReplayPhone(RecordedSession session, bool timing, const Clock& clock)
    : session_(std::move(session)), timing_(timing), framer_(clock) {}

Delivery ReplayPhone::opening() const {
  Delivery d;
  Bytes whole;
  for (const auto& piece : session_.opening) {
    if (timing_) d.pieces.push_back(piece);
    whole += piece.bytes;
  }
  if (!timing_ && !whole.empty()) d.pieces.push_back({0, whole});
  return d;
}

std::vector<Delivery> ReplayPhone::respond(std::string_view bytes) {
  std::vector<Delivery> out = expire();
  for (const Bytes& request : framer_.add(bytes)) out.push_back(take(request));
  return out;
}

std::vector<Delivery> ReplayPhone::expire() {
  const Bytes stale = framer_.expire();
  if (stale.empty()) return {};
  log("!! a request stopped coming: taken as it stands");
  return {take(stale)};
}

void ReplayPhone::end(const std::string& how) {
  if (!framer_.empty()) take(framer_.take_pending());  // its answer has nowhere to go
  if (failed_ || next_ == session_.requests.size()) return;
  const RecordedRequest& expected = session_.requests[next_];
  report("request " + std::to_string(expected.number) + " (line " + std::to_string(expected.line) +
         " of the trace) never came: " + how + "\n  expected: " + spaced_hex(expected.request));
}

Delivery ReplayPhone::take(const Bytes& request) {
  log("<< " + bin_to_hex(request));
  if (failed_) {
    log("!! not answered: the replay stopped at a difference");
    return {};
  }
  if (next_ == session_.requests.size()) {
    report("request " + std::to_string(next_ + 1) + " came after the end of the recording (" +
           std::to_string(session_.requests.size()) + " requests)\n  got: " + spaced_hex(request));
    return {};
  }
  const RecordedRequest& expected = session_.requests[next_];
  if (request != expected.request) {
    report("request " + std::to_string(expected.number) + " (line " + std::to_string(expected.line) +
           " of the trace) differs from the recording at offset " +
           std::to_string(first_difference(expected.request, request)) +
           "\n  expected: " + spaced_hex(expected.request) + "\n  got:      " + spaced_hex(request));
    return {};
  }
  ++next_;
  Delivery d = answer_of(expected);
  for (const auto& piece : d.pieces) log(">> " + bin_to_hex(piece.bytes));
  return d;
}

Delivery ReplayPhone::answer_of(const RecordedRequest& recorded) const {
  Delivery d;
  if (timing_) {
    d.pieces = recorded.answer;
    return d;
  }
  Bytes whole;
  for (const auto& piece : recorded.answer) whole += piece.bytes;
  if (!whole.empty()) d.pieces.push_back({0, whole});
  return d;
}

void ReplayPhone::report(const std::string& text) {
  failed_ = true;
  log("!! " + text.substr(0, text.find('\n')));
  if (on_report) on_report(text);
}

void ReplayPhone::log(const std::string& text) const {
  if (on_log) on_log(text);
}

}  // namespace lg81xx::sim
