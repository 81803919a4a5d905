// The connect sequence: two AT commands, the OBEX CONNECT and the phone's own requests for
// its session, its information text and its folders. Each answer is judged: the connect
// goes on only from a step the phone accepted.
#include <algorithm>

#include "phone/frames/root_folders.h"
#include "phone/phone.h"

namespace lg81xx {
namespace {

constexpr std::int64_t kImeiWaitMs = 400;
constexpr std::int64_t kSessionWaitMs = 300;
constexpr std::int64_t kRootListWaitMs = 50;
constexpr std::size_t kImeiStart = 10;  // character 11 of the answer to AT+CGSN
constexpr std::size_t kImeiLength = 15;
constexpr std::size_t kInfoStart = 11;  // character 12 once the 00 bytes are gone
constexpr std::size_t kInfoLengthU813 = 14;
constexpr std::size_t kInfoLengthU811 = 5;
constexpr std::size_t kModelCodeLength = 5;  // "U8130": what the U811/U812 family shows

std::string cut(std::string_view text, std::size_t start, std::size_t length) {
  return start < text.size() ? std::string(text.substr(start, length)) : std::string{};
}

bool is_imei(std::string_view text) {
  return text.size() == kImeiLength &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
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

StepOutcome<std::string> Phone::query_imei() {
  const Reply reply = link_.settle(frames_.imei_query_frame, kImeiWaitMs, Framing::at_command);
  events_.lamp(false);  // drawn green once the answer is in
  if (const JobResult result = judge(reply, Framing::at_command); result != JobResult::ok)
    return failed<std::string>(result, ConnectStep::imei);
  std::string imei = cut(reply.bytes, kImeiStart, kImeiLength);
  if (!is_imei(imei)) return failed<std::string>(JobResult::bad_reply, ConnectStep::imei);
  return answered(std::move(imei));
}

StepOutcome<std::string> Phone::start_session() {
  if (const JobResult r =
          judge(lit_exchange(frames_.obex_mode_frame, kSessionWaitMs, Framing::at_command), Framing::at_command);
      r != JobResult::ok)
    return failed<std::string>(r, ConnectStep::obex_mode);
  if (const JobResult r = judge(lit_exchange(frames_.obex_connect_frame, kSessionWaitMs)); r != JobResult::ok)
    return failed<std::string>(r, ConnectStep::obex_connect);
  if (const JobResult r = judge(link_.settle(frames_.session_open_frame, kSessionWaitMs)); r != JobResult::ok)
    return failed<std::string>(r, ConnectStep::session);
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
  if (const JobResult r = judge(link_.settle(frames_.command_2081_frame, kSessionWaitMs)); r != JobResult::ok)
    return failed<Folders>(r, ConnectStep::folders);
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
