// The connect sequence: two AT commands, the OBEX CONNECT and the phone's own requests for
// its session, its information text and its folders. Each answer is judged. The OBEX
// CONNECT, the information text and the root list are gates: without them nothing can
// work. The answers to AT*EOBEX, the session request and 20 81 tell nothing the program
// needs, and the IMEI is only shown: a phone that answers them otherwise than expected
// still connects, with a warning, as long as it answers at all.

#include "phone/frames/imei.h"
#include "phone/frames/root_folders.h"
#include "phone/phone.h"

namespace lg81xx {
namespace {

constexpr std::int64_t kImeiWaitMs = 400;
constexpr std::int64_t kSessionWaitMs = 300;
constexpr std::int64_t kRootListWaitMs = 50;
constexpr std::size_t kInfoStart = 11;  // character 12 once the 00 bytes are gone
constexpr std::size_t kInfoLengthU813 = 14;
constexpr std::size_t kInfoLengthU811 = 5;
constexpr std::size_t kModelCodeLength = 5;  // "U8130": what the U811/U812 family shows

std::string cut(std::string_view text, std::size_t start, std::size_t length) {
  return start < text.size() ? std::string(text.substr(start, length)) : std::string{};
}

// The model whose code begins the information text ("U8130 V10c-EUR"), when it is one of the four.
std::string model_named_in(std::string_view information) {
  const std::string model = "LG " + cut(information, 0, kModelCodeLength);
  return is_known_model(model) ? model : std::string{};
}

template <class T>
StepOutcome<T> failed(JobResult result, ConnectStep step) {
  return {result, {}, step, {}};
}

template <class T>
StepOutcome<T> answered(T value) {
  return {JobResult::ok, std::move(value), {}, {}};
}

}  // namespace

std::string warning_text(const ConnectWarning& warning) {
  const bool imei = warning.step == ConnectStep::imei;
  const char* what = warning.result == JobResult::refused ? "refused"
                     : warning.result == JobResult::busy  ? "answered busy"
                     : imei                               ? "answered without an IMEI"
                                                          : "answered with an unexpected reply";
  return warning.request + " " + what + (imei ? "; the IMEI is not read" : "; the connect goes on");
}

void Phone::warn(ConnectWarning warning) {
  link_.note(warning_text(warning));
  connect_warnings_.push_back(std::move(warning));
}

std::optional<JobResult> Phone::tolerated(const Reply& reply, Framing framing, ConnectStep step, std::string request) {
  const JobResult result = judge(reply, framing);
  switch (result) {
    case JobResult::ok: return std::nullopt;
    case JobResult::no_reply:
    case JobResult::link_lost:
    case JobResult::interrupted: return result;
    default: warn({step, std::move(request), result}); return std::nullopt;
  }
}

StepOutcome<std::optional<std::string>> Phone::query_imei() {
  using Imei = std::optional<std::string>;
  const Reply reply = link_.settle(frames_.imei_query_frame, kImeiWaitMs, Framing::at_command);
  events_.lamp(false);  // drawn green once the answer is in
  const JobResult result = judge(reply, Framing::at_command);
  // A refusal may hold digits too, but no IMEI.
  Imei imei = result == JobResult::refused || result == JobResult::busy ? std::nullopt : imei_in(reply.bytes);
  if (imei) return answered(std::move(imei));
  if (const auto stop = tolerated(reply, Framing::at_command, ConnectStep::imei, "AT+CGSN"))
    return failed<Imei>(*stop, ConnectStep::imei);
  if (result == JobResult::ok) warn({ConnectStep::imei, "AT+CGSN", JobResult::bad_reply});
  return answered(Imei{});
}

StepOutcome<std::string> Phone::start_session() {
  if (const auto stop = tolerated(lit_exchange(frames_.obex_mode_frame, kSessionWaitMs, Framing::at_command),
                                  Framing::at_command, ConnectStep::obex_mode, "AT*EOBEX"))
    return failed<std::string>(*stop, ConnectStep::obex_mode);
  if (const JobResult r = judge(lit_exchange(frames_.obex_connect_frame, kSessionWaitMs)); r != JobResult::ok)
    return failed<std::string>(r, ConnectStep::obex_connect);
  if (const auto stop = tolerated(link_.settle(frames_.session_open_frame, kSessionWaitMs), Framing::obex,
                                  ConnectStep::session, "the session request (00 81)"))
    return failed<std::string>(*stop, ConnectStep::session);
  sequence_ = 1;
  const Reply reply = lit_exchange(frames_.phone_info_frame, kSessionWaitMs);
  if (const JobResult r = judge(reply); r != JobResult::ok) return failed<std::string>(r, ConnectStep::information);

  const std::string info = cut(without_nuls(reply.bytes), kInfoStart, std::string::npos);
  const std::string named = model_named_in(info);
  if (family() != Family::none && !named.empty() && family_of(named) != family())
    return {JobResult::bad_input, {}, ConnectStep::information, named};
  if (family() == Family::u813) return answered(cut(info, 0, kInfoLengthU813));
  if (family() == Family::u811_u812) return answered(cut(info, 0, kInfoLengthU811));
  return answered(std::string{});
}

StepOutcome<std::vector<std::string>> Phone::read_folders() {
  using Folders = std::vector<std::string>;
  if (const auto stop = tolerated(link_.settle(frames_.command_2081_frame, kSessionWaitMs), Framing::obex,
                                  ConnectStep::folders, "20 81"))
    return failed<Folders>(*stop, ConnectStep::folders);
  Folders folders;
  if (family() == Family::u813) {
    const Reply reply = lit_exchange(frames_.root_list_frame, kRootListWaitMs);
    if (const JobResult r = judge(reply); r != JobResult::ok) return failed<Folders>(r, ConnectStep::folders);
    folders = root_folders(reply.bytes);
    if (folders.empty()) return failed<Folders>(JobResult::bad_reply, ConnectStep::folders);
    folders.push_back("Java");
  } else if (family() == Family::u811_u812) {
    folders = {"Immagini", "Audio", "Video", "Java"};
  }
  held_ = false;
  return answered(std::move(folders));
}

}  // namespace lg81xx
