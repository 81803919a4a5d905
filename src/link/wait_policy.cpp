#include "link/wait_policy.h"

#include <array>

namespace lg81xx {
namespace {

// Response codes with the final bit set (90 continue, A0 success, C0.. client errors,
// D0.. server errors). 80..8F are request opcodes and F0..FF never start a response; FF
// in particular opens the phone's own command frames.
bool is_response_code(std::uint8_t b) { return b >= 0x90 && b <= 0xEF; }
// The phone's "no such file" for a download starts 49 00 0F, its own length.
constexpr std::uint8_t kNoSuchFile = 0x49;

constexpr std::uint8_t kContinue = 0x90;
constexpr std::uint8_t kSuccess = 0xA0;
constexpr std::uint8_t kServiceUnavailable = 0xD3;
constexpr std::uint8_t kFirstRefusal = 0xC0;

bool is_line_end(char c) { return c == '\r' || c == '\n'; }

// The result codes that end the answer to an AT command.
struct FinalResult {
  std::string_view code;
  bool takes_text;  // "CONNECT 115200", "+CME ERROR: 10"
  ReplyCode meaning;
};
constexpr std::array<FinalResult, 9> kFinalResults{{{"OK", false, ReplyCode::success},
                                                    {"ERROR", false, ReplyCode::refused},
                                                    {"NO CARRIER", false, ReplyCode::refused},
                                                    {"BUSY", false, ReplyCode::busy},
                                                    {"NO ANSWER", false, ReplyCode::refused},
                                                    {"NO DIALTONE", false, ReplyCode::refused},
                                                    {"CONNECT", true, ReplyCode::success},
                                                    {"+CME ERROR", true, ReplyCode::refused},
                                                    {"+CMS ERROR", true, ReplyCode::refused}}};

const FinalResult* final_result(std::string_view line) {
  for (const auto& result : kFinalResults) {
    if (line == result.code) return &result;
    if (result.takes_text && line.size() > result.code.size() && line.substr(0, result.code.size()) == result.code) {
      const char next = line[result.code.size()];
      if (next == ' ' || next == ':') return &result;
    }
  }
  return nullptr;
}

// The first final result line of an AT answer, with where the answer ends (after the line
// feed that closes it).
struct AtEnd {
  const FinalResult* result;
  std::size_t length;
};
std::optional<AtEnd> at_answer_end(std::string_view text) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!is_line_end(text[i])) continue;
    if (const FinalResult* result = final_result(text.substr(start, i - start))) {
      while (i < text.size() && text[i] == '\r') ++i;
      if (i < text.size() && text[i] == '\n') return AtEnd{result, i + 1};
      return std::nullopt;  // its line feed is still on the way
    }
    start = i + 1;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::size_t> announced_length(std::string_view reply) {
  if (reply.size() < 3) return std::nullopt;
  const std::uint8_t code = byte_at(reply, 0);
  if (!is_response_code(code) && code != kNoSuchFile) return std::nullopt;
  const std::size_t length = std::size_t{byte_at(reply, 1)} << 8 | byte_at(reply, 2);
  if (length < 3) return std::nullopt;  // no OBEX packet is shorter than its header
  return length;
}

std::optional<std::size_t> whole_length(std::string_view bytes, Framing framing) {
  if (framing == Framing::at_command) {
    const auto end = at_answer_end(bytes);
    return end ? std::optional<std::size_t>(end->length) : std::nullopt;
  }
  const auto length = announced_length(bytes);
  if (length && bytes.size() >= *length) return length;
  return std::nullopt;
}

ReplyCode code_of(std::string_view whole_reply, Framing framing) {
  if (framing == Framing::at_command) {
    const auto end = at_answer_end(whole_reply);
    return end ? end->result->meaning : ReplyCode::unexpected;
  }
  if (whole_reply.empty()) return ReplyCode::unexpected;
  const std::uint8_t code = byte_at(whole_reply, 0);
  if (code == kSuccess) return ReplyCode::success;
  if (code == kContinue) return ReplyCode::more;
  if (code == kServiceUnavailable) return ReplyCode::busy;
  if (code >= kFirstRefusal || code == kNoSuchFile) return ReplyCode::refused;
  return ReplyCode::unexpected;
}

void ReplyAssembler::add(std::string_view bytes, std::int64_t now_us) {
  if (bytes.empty()) return;
  bytes_.append(bytes);
  last_arrival_us_ = now_us;
}

std::optional<Bytes> ReplyAssembler::take_whole() {
  const auto length = whole_length(bytes_, framing_);
  if (!length) return std::nullopt;
  Bytes whole = bytes_.substr(0, *length);
  bytes_.erase(0, *length);
  return whole;
}

}  // namespace lg81xx
