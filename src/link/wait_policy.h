#pragma once
// What a reply is, and when it is whole. The bytes the phone sends are gathered across
// reads, never replaced, until the reply at their front is complete by its own framing:
//
// - an OBEX response: a response code (90..EF; or 49, which opens the phone's "no such
//   file" 49 00 0F ... and carries its length like the others), then in bytes 1-2 the
//   big-endian packet length (at least 3). It is whole once that many bytes are in; a
//   response code alone waits for its length bytes;
// - the answer to an AT command: text, whole once a final result code line (OK, ERROR,
//   CONNECT ...) has come with its line feed. The echo comes back at once and the answer
//   only once the phone has worked on it, so silence after the echo proves nothing.
//
// Bytes of any other layout never become a whole reply: the wait ends at its budget with
// what came, and the job calls that what it is, an incomplete or garbled reply.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/bytes.h"

namespace lg81xx {

enum class Framing { obex, at_command };

// How a wait ended.
enum class ReplyStatus {
  whole,        // a complete reply
  incomplete,   // bytes came, but never a whole reply: cut short, or garbage
  silence,      // nothing came
  link_lost,    // the port went away
  interrupted,  // the job was cancelled: the request was never written, or its wait was cut
};

struct Reply {
  ReplyStatus status = ReplyStatus::silence;
  Bytes bytes;  // the whole reply, or whatever came
  bool whole() const { return status == ReplyStatus::whole; }
};

// What a whole reply says.
enum class ReplyCode {
  success,     // A0; OK or CONNECT to an AT command
  more,        // 90, continue: success where the exchange expects it
  busy,        // D3 service unavailable; BUSY
  refused,     // C0 and up, the phone's 49 00 0F; ERROR and the other final results
  unexpected,  // a response code that is none of these
};
ReplyCode code_of(std::string_view whole_reply, Framing framing);

// The packet length that bytes 1-2 announce when `reply` starts like an OBEX response;
// nothing when it does not, or when the length bytes have not arrived yet.
std::optional<std::size_t> announced_length(std::string_view reply);

// The length of the whole reply at the front of `bytes`, once it is all in.
std::optional<std::size_t> whole_length(std::string_view bytes, Framing framing);

// One reply gathered across reads, with the time its last bytes came in.
class ReplyAssembler {
 public:
  explicit ReplyAssembler(Framing framing) : framing_(framing) {}

  void add(std::string_view bytes, std::int64_t now_us);
  // The whole reply at the front, taken out of the bytes in hand.
  std::optional<Bytes> take_whole();
  const Bytes& bytes() const { return bytes_; }
  bool empty() const { return bytes_.empty(); }
  std::int64_t last_arrival_us() const { return last_arrival_us_; }

 private:
  Framing framing_;
  Bytes bytes_;
  std::int64_t last_arrival_us_ = 0;
};

}  // namespace lg81xx
