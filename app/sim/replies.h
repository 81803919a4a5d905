#pragma once
// The shapes of the phone's answers, shared by the services. Every answer is an OBEX
// response: a response code, then its total length big-endian, so a reader can tell where
// it ends (docs/virtual-phone.md has the byte layouts).
#include <string_view>

#include "base/bytes.h"

namespace lg81xx::sim {

inline constexpr unsigned kSuccess = 0xA0;
inline constexpr unsigned kBadRequest = 0xC0;
inline constexpr unsigned kForbidden = 0xC3;
inline constexpr unsigned kNotFound = 0xC4;
inline constexpr unsigned kServiceUnavailable = 0xD3;

// Response code and length, then `body` (for the plain acknowledgement A0 00 03: nothing).
Bytes obex_response(unsigned code = kSuccess, std::string_view body = {});

// An answer to a command frame: A0, length, the user-defined header 70 with its length,
// FF FF, the command echoed, status 01, then `data` unescaped.
inline constexpr std::size_t kAnswerDataOffset = 11;
Bytes answer_packet(unsigned command, std::string_view data);

// The download's replies end with 7E like the phone's frames. 49 00 0F: no such file, a
// phone frame for command 20 86 with status 01 00 (49 is no response code, but it is what
// the phones send). C3 (forbidden) with an empty phone frame: a block refused. D3 (service
// unavailable) with an empty phone frame: busy, ask again.
extern const Bytes kNoSuchFile;
extern const Bytes kBlockRefused;
extern const Bytes kBusyDownload;

}  // namespace lg81xx::sim
