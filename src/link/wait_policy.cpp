#include "link/wait_policy.h"

#include <array>

namespace lg81xx {
namespace {

// Response codes with the final bit set (90 continue, A0 success, C0.. client errors,
// D0.. server errors). 80..8F are request opcodes and F0..FF never start a response; FF
// in particular opens the phone's own command frames.
bool is_response_code(std::uint8_t b) { return b >= 0x90 && b <= 0xEF; }

bool is_line_end(char c) { return c == '\r' || c == '\n'; }

// The result codes that end the answer to an AT command.
struct FinalResult {
  std::string_view code;
  bool takes_text;  // "CONNECT 115200", "+CME ERROR: 10"
};
constexpr std::array<FinalResult, 9> kFinalResults{{{"OK", false},
                                                    {"ERROR", false},
                                                    {"NO CARRIER", false},
                                                    {"BUSY", false},
                                                    {"NO ANSWER", false},
                                                    {"NO DIALTONE", false},
                                                    {"CONNECT", true},
                                                    {"+CME ERROR", true},
                                                    {"+CMS ERROR", true}}};

}  // namespace

std::optional<std::size_t> announced_length(std::string_view reply) {
  if (reply.size() < 3 || !is_response_code(byte_at(reply, 0))) return std::nullopt;
  const std::size_t length = std::size_t{byte_at(reply, 1)} << 8 | byte_at(reply, 2);
  if (length < 3) return std::nullopt;  // no OBEX packet is shorter than its header
  return length;
}

bool is_command_echo(std::string_view reply) {
  return reply.size() >= 2 && (reply[0] == 'A' || reply[0] == 'a') &&
         (reply[1] == 'T' || reply[1] == 't');
}

bool ends_with_final_result(std::string_view reply) {
  if (reply.empty() || !is_line_end(reply.back())) return false;
  std::size_t end = reply.size();
  while (end > 0 && is_line_end(reply[end - 1])) --end;
  std::size_t start = end;
  while (start > 0 && !is_line_end(reply[start - 1])) --start;
  const std::string_view line = reply.substr(start, end - start);
  for (const auto& result : kFinalResults) {
    if (line == result.code) return true;
    if (result.takes_text && line.size() > result.code.size() &&
        line.substr(0, result.code.size()) == result.code) {
      const char next = line[result.code.size()];
      if (next == ' ' || next == ':') return true;
    }
  }
  return false;
}

void ReplyAssembler::add(std::string_view bytes, std::int64_t now_us) {
  if (bytes.empty()) return;
  bytes_.append(bytes);
  last_arrival_us_ = now_us;
}

bool ReplyAssembler::waits_for_length() const {
  // A response code alone: its length bytes are on their way.
  if (bytes_.size() < 3) return !bytes_.empty() && is_response_code(byte_at(bytes_, 0));
  const auto length = announced_length(bytes_);
  return length && bytes_.size() < *length;
}

std::optional<std::int64_t> ReplyAssembler::complete_at_us() const {
  if (bytes_.empty() || waits_for_length()) return std::nullopt;
  if (is_command_echo(bytes_)) {
    if (ends_with_final_result(bytes_)) return last_arrival_us_;
    return std::nullopt;  // the answer is still to come; the budget bounds the wait
  }
  if (announced_length(bytes_) == bytes_.size()) return last_arrival_us_;
  return last_arrival_us_ + quiet_gap_us_;
}

bool ReplyAssembler::complete(std::int64_t now_us) const {
  const auto at = complete_at_us();
  return at && now_us >= *at;
}

}  // namespace lg81xx
