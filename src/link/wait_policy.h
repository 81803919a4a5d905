#pragma once
// The reply-driven ("fast") waiting policy: rather than sleeping a whole interval before
// each read, it gathers what arrives and stops as soon as the reply is complete.
//
// A reply is complete when
// - it starts like an OBEX response (a response code 90..EF, then bytes 1-2 a big-endian
//   packet length of at least 3) and exactly that many bytes are in (a response code
//   alone waits for its length bytes); or
// - it is the answer to an AT command, beginning with the command's echo, and a final
//   result code line (OK, ERROR, CONNECT ...) ends it: the echo comes back at once, the
//   answer only once the phone has worked on it, so silence after the echo proves nothing;
// - it has any other layout (the 3-byte refusal 49 00 0F, a 5-byte busy reply, AT text
//   without an echo, more bytes than the length announced) and the line has stayed quiet
//   for a short gap.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/bytes.h"

namespace lg81xx {

// Quiet gap after which a reply without a usable length counts as complete: about 35
// character times at 115200 baud, well above the gaps inside one burst of a phone.
inline constexpr std::int64_t kDefaultQuietGapUs = 3000;
// How long the policy sleeps between two reads: short against a frame's line time
// (963 bytes take 84 ms at 115200 baud), long enough not to spin.
inline constexpr std::int64_t kFastPollUs = 250;

// The packet length that bytes 1-2 announce when `reply` starts like an OBEX response;
// nothing when it does not, or when the length bytes have not arrived yet.
std::optional<std::size_t> announced_length(std::string_view reply);

// True when `reply` begins with an AT command's echo.
bool is_command_echo(std::string_view reply);
// True when the last line of `reply` is a final result code, line end included.
bool ends_with_final_result(std::string_view reply);

// One reply gathered across reads, with the time its last bytes came in.
class ReplyAssembler {
 public:
  explicit ReplyAssembler(std::int64_t quiet_gap_us) : quiet_gap_us_(quiet_gap_us) {}

  void add(std::string_view bytes, std::int64_t now_us);
  bool complete(std::int64_t now_us) const;
  // From when the bytes in hand count as a complete reply: at once when they hold exactly
  // the length announced or an echoed AT answer with its result code, after the quiet gap
  // for other layouts; nothing while more announced bytes or the result code are to come.
  std::optional<std::int64_t> complete_at_us() const;
  const Bytes& bytes() const { return bytes_; }
  bool empty() const { return bytes_.empty(); }
  // A complete reply that the caller did not want: a later reply replaces it.
  void drop() { bytes_.clear(); }

 private:
  bool waits_for_length() const;

  std::int64_t quiet_gap_us_;
  Bytes bytes_;
  std::int64_t last_arrival_us_ = 0;
};

}  // namespace lg81xx
