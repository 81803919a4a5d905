#pragma once
// The phone's side of a recorded session (a trace, link/trace_format.h), played back: each
// request the client sends must equal the recorded one byte for byte, and gets what the
// phone sent after it in the recording, at once, or with the recorded timing in the
// recorded pieces and gaps. A request is what the phone's own framing cuts from the line (request_framer.h).
// At the first difference the replay reports the request, with both byte strings, and
// answers nothing more. It passes when every recorded request came and nothing after them.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "faults.h"
#include "link/trace_format.h"
#include "platform/clock.h"
#include "request_framer.h"

namespace lg81xx::sim {

struct RecordedRequest {
  int number = 0;  // 1 for the first request of the session
  int line = 0;    // of the request in the trace
  Bytes request;
  std::vector<Piece> answer;  // every line received after it, with the time since the line before
};

struct RecordedSession {
  std::vector<Piece> opening;  // what the phone sent before the first request
  std::vector<RecordedRequest> requests;
};

// The session a trace recorded, or nothing, with `why` naming the first line that cannot be
// replayed: one that is not a frame, one whose file data was hidden ("[N file bytes]"), a
// request without bytes.
std::optional<RecordedSession> recorded_session(const Trace& trace, std::string& why);
// The same, read from a file; `why` says so when it cannot be read.
std::optional<RecordedSession> read_recording(const std::filesystem::path& path, std::string& why);

class ReplayPhone {
 public:
  // `timing`: the answers in the recorded pieces and gaps; otherwise each whole at once.
  ReplayPhone(RecordedSession session, bool timing, const Clock& clock);

  // What the phone sends before any request.
  Delivery opening() const;
  // Bytes from the client; the answers to the requests they complete.
  std::vector<Delivery> respond(std::string_view bytes);
  // While the line is quiet: a request that stopped coming is taken as it stands.
  std::vector<Delivery> expire();
  // The line is closed (`how`: by the client, or the replay stopped): what was sent and not
  // yet framed is the last request; a recorded request that never came is reported.
  void end(const std::string& how);

  bool passed() const { return !failed_ && next_ == session_.requests.size(); }
  std::size_t requests() const { return session_.requests.size(); }

  // What standard error shows: the difference, the missing or the extra request.
  std::function<void(const std::string&)> on_report;
  // The traffic, as the virtual phone logs it: "<< " requests, ">> " answers, "!! " complaints.
  std::function<void(const std::string&)> on_log;

 private:
  Delivery take(const Bytes& request);
  Delivery answer_of(const RecordedRequest& recorded) const;
  void report(const std::string& text);
  void log(const std::string& text) const;

  RecordedSession session_;
  bool timing_;
  RequestFramer framer_;
  std::size_t next_ = 0;  // index of the request expected next
  bool failed_ = false;
};

// The bytes in hex, two digits each, separated by blanks, as the trace writes them.
std::string spaced_hex(std::string_view bytes);

}  // namespace lg81xx::sim
