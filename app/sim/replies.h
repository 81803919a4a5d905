#pragma once
// The shapes of the phone's answers, shared by the services. Every answer is an OBEX
// response: a response code, then its total length big-endian, so a reader can tell where
// it ends (docs/virtual-phone.md has the byte layouts).
#include <string_view>

#include "base/bytes.h"

namespace lg81xx::sim {

inline constexpr unsigned kSuccess = 0xA0;
inline constexpr unsigned kNotFound = 0xC4;

// Response code and length, then `body` (for the plain acknowledgement A0 00 03: nothing).
Bytes obex_response(unsigned code = kSuccess, std::string_view body = {});

// An answer to a command frame: A0, length, the user-defined header 70 with its length,
// FF FF, the command echoed, status 01, then `data` unescaped.
inline constexpr std::size_t kAnswerDataOffset = 11;
Bytes answer_packet(unsigned command, std::string_view data);

}  // namespace lg81xx::sim
