// The connect sequence: two AT commands, the OBEX CONNECT and the phone's own requests for
// its session, its information text and its folders.
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

std::string cut(std::string_view text, std::size_t start, std::size_t length) {
  return start < text.size() ? std::string(text.substr(start, length)) : std::string{};
}

}  // namespace

std::string Phone::query_imei() {
  std::string imei = cut(link_.settle(frames_.imei_query_frame, kImeiWaitMs), kImeiStart, kImeiLength);
  events_.lamp(false);  // drawn green once the answer is in
  return imei;
}

Outcome<std::string> Phone::start_session() {
  lit_exchange(frames_.obex_mode_frame, kSessionWaitMs);
  lit_exchange(frames_.obex_connect_frame, kSessionWaitMs);
  link_.settle(frames_.session_open_frame, kSessionWaitMs);
  sequence_ = 1;
  const std::string info = without_nuls(lit_exchange(frames_.phone_info_frame, kSessionWaitMs));
  if (!is_open()) return {JobResult::link_lost, {}};
  if (family() == Family::u813) return {JobResult::ok, cut(info, kInfoStart, kInfoLengthU813)};
  if (family() == Family::u811_u812) return {JobResult::ok, cut(info, kInfoStart, kInfoLengthU811)};
  return {JobResult::ok, {}};
}

Outcome<std::vector<std::string>> Phone::read_folders() {
  link_.settle(frames_.command_2081_frame, kSessionWaitMs);
  std::vector<std::string> folders;
  if (family() == Family::u813) {
    folders = root_folders(lit_exchange(frames_.root_list_frame, kRootListWaitMs));
    folders.push_back("Java");
  } else if (family() == Family::u811_u812) {
    folders = {"Immagini", "Audio", "Video", "Java"};
  }
  if (!is_open()) return {JobResult::link_lost, folders};
  held_ = false;
  return {JobResult::ok, folders};
}

}  // namespace lg81xx
