#pragma once
// The phone at the other end of the line, and the one object that talks to it. A Phone
// owns the link, the fixed session frames, the request sequence counter and whether a job
// holds the line (the keep-alive only goes out on a free line). Every operation returns a
// typed outcome; the lamp and the progress of a transfer go out through PhoneEvents.
// Nothing here knows about windows, dialogs or message boxes.
//
// The operations are defined beside what they do: connect.cpp, listing.cpp, upload.cpp,
// download.cpp. The Java install, the sound replacement and the read probe are functions
// over a Phone (java_install.h, sound_replacement.h, read_probe.h).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/link.h"
#include "link/session_frames.h"
#include "phone/events.h"
#include "phone/judge.h"
#include "phone/model_family.h"
#include "phone/outcome.h"
#include "phone/wire_names.h"

namespace lg81xx {

// The steps of a connect, in their order.
enum class ConnectStep { imei, obex_mode, obex_connect, session, information, folders };

// A step whose answer the connect does not need (AT+CGSN for want of an IMEI, AT*EOBEX,
// the session request, 20 81), answered with something else than a success: the connect
// went on without it.
struct ConnectWarning {
  ConnectStep step = ConnectStep::imei;
  std::string request;                    // "AT*EOBEX", ...
  JobResult result = JobResult::refused;  // refused, busy, or bad_reply: an unexpected answer
  bool operator==(const ConnectWarning&) const = default;
};

// One line of English for a trace or a terminal: "AT*EOBEX refused; the connect goes on".
std::string warning_text(const ConnectWarning& warning);

// How a part of the connect ended: its value, or the step that failed and how.
template <class T>
struct StepOutcome {
  JobResult result = JobResult::ok;
  T value{};
  ConnectStep step = ConnectStep::imei;  // the step that failed
  std::string phone_model;               // a wrong model choice: the model the phone names
  bool ok() const { return result == JobResult::ok; }
};

class Phone {
 public:
  Phone(SerialPort& port, Clock& clock, PhoneEvents& events);
  Phone(const Phone&) = delete;
  Phone& operator=(const Phone&) = delete;

  // ---- the line ----
  // Opens `device` for a new session: the sequence starts again at 0 and the line stays
  // held until the connect has run. False, with port_failure() and port_error() saying
  // why, when it fails.
  bool open(const std::string& device);
  bool is_open() const { return port_.is_open(); }
  PortFailure port_failure() const { return port_.open_failure(); }
  std::string port_error() const { return port_.error_text(); }
  // Says goodbye to the phone (not waiting for an answer) and closes the port.
  void disconnect();
  // Closes the port without a word: the phone never entered its session. A cancel still
  // pending has nothing left to stop and is forgotten.
  void close();
  // Free: open, and no job holds the line.
  bool line_free() const { return is_open() && !held_; }
  void hold_line() { held_ = true; }
  void free_line() { held_ = false; }

  // ---- stopping a job: from any thread, and from a signal handler ----
  // The job under way stops after the exchange it is in and ends interrupted; whoever
  // reports that then closes the session.
  void request_cancel() { link_.request_cancel(); }
  bool cancel_requested() const { return link_.cancel_requested(); }

  // ---- the model on the line: it chooses the variant of every exchange ----
  void set_model(std::string model) { model_ = std::move(model); }
  const std::string& model() const { return model_; }
  Family family() const { return family_of(model_); }

  // ---- the request sequence counter (16 bits; the requests carry its low byte) ----
  std::uint8_t next_sequence() { return static_cast<std::uint8_t>(++sequence_); }
  void set_sequence(std::uint16_t value) { sequence_ = value; }
  std::uint16_t sequence() const { return sequence_; }

  // ---- connect (connect.cpp), in three parts so that the window shows each answer ----
  // Every step must be answered: silence, a lost line or a cancel stops the connect at
  // it. The OBEX CONNECT, the information text and the root list must be answered with
  // success, the values they carry sound. The answers to AT+CGSN, AT*EOBEX, the session
  // request and 20 81 only matter when there is none: any other answer lets the connect
  // go on, and one that is no success is a warning (connect_warnings(), and a note in
  // the trace).
  // The IMEI (AT+CGSN): its 15 digits, or nothing when the answer holds none.
  StepOutcome<std::optional<std::string>> query_imei();
  // The object-exchange mode, OBEX CONNECT and the session; then the information text.
  // bad_input, with the model the text names, when that is a model of the other family.
  StepOutcome<std::string> start_session();
  // The phone's folders, "Java" last (asked of the U813 family, fixed for the U811/U812;
  // none for a model of neither family). Frees the line: the connect is complete.
  StepOutcome<std::vector<std::string>> read_folders();
  // The warnings of the connect since the port was opened, in their order.
  const std::vector<ConnectWarning>& connect_warnings() const { return connect_warnings_; }
  // One keep-alive: the frame, a short wait, the lamp green. The answer is of no interest.
  void keep_alive();

  // Writes `request` and waits for its reply. A phone that answers busy (`is_busy`) is
  // given a keep-alive and asked again with the very same request, a bounded number of
  // times; its last answer is returned.
  Reply ask(const Bytes& request, const WaitRule& wait, bool (*busy)(const Reply&) = is_busy);

  // ---- listings (listing.cpp): the entries of a folder ----
  // The folder browser's listing. bad_input, with nothing sent, for a folder or model
  // without a listing request.
  Outcome<std::vector<std::string>> list_folder(std::string_view folder);
  // The folder "Java", read for the insertion position at connect time.
  Outcome<std::vector<std::string>> list_java();

  // ---- transfers ----
  // Writes `data` into the phone as `name` (upload.cpp). ok once every wire frame was
  // acknowledged; bad_input, with nothing sent, for empty data, a model outside the four
  // or a name too long. Leaves the line held for the job to free.
  JobResult upload(const ObjectName& name, const Bytes& data);
  // Reads `name` from the phone (download.cpp): the file's bytes, or refused when the
  // phone refuses it.
  Outcome<Bytes> download(const ObjectName& name);

  Link& link() { return link_; }
  const Link& link() const { return link_; }
  const SessionFrames& frames() const { return frames_; }

 private:
  // Writes `frame` with the lamp red and waits `wait_ms` for its reply.
  Reply lit_exchange(const Bytes& frame, std::int64_t wait_ms, Framing framing = Framing::obex);
  Outcome<std::vector<std::string>> listing(std::string_view folder, bool free_when_silent);
  // The answer to a request whose answer the connect does not need: the result that stops
  // the connect (silence, a lost line, a cancel), or nothing, after a warning when the
  // answer was no success.
  std::optional<JobResult> tolerated(const Reply& reply, Framing framing, ConnectStep step, std::string request);
  void warn(ConnectWarning warning);

  SerialPort& port_;
  Link link_;
  PhoneEvents& events_;
  SessionFrames frames_;
  std::string model_;
  std::uint16_t sequence_ = 0;
  bool held_ = true;  // nothing to keep alive before a connect
  std::vector<ConnectWarning> connect_warnings_;
};

// Holds the line for one job and frees it however the job ends.
class LineHold {
 public:
  explicit LineHold(Phone& phone) : phone_(phone) { phone_.hold_line(); }
  ~LineHold() { phone_.free_line(); }
  LineHold(const LineHold&) = delete;
  LineHold& operator=(const LineHold&) = delete;

 private:
  Phone& phone_;
};

}  // namespace lg81xx
