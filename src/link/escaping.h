#pragma once
// Inside a frame 7E ends the frame, 7D starts an escape and FF is reserved: each such
// byte travels as 7D followed by the byte with bit 20 flipped (7D 5D, 7D 5E, 7D DF).
//
// unescape_reply works on byte arrays with explicit positions and counts, as the transfer
// engines use it: a destination that is too short is grown; nothing is read outside a source.
#include <cstdint>

#include "base/bytes.h"

namespace lg81xx {

bool is_reserved(std::uint8_t b);

// Restores `count` escaped bytes of `src` from `src_start` into `dest` from `dest_start`.
// A 7D whose partner lies beyond `src` is kept as it is. Returns the bytes written.
int unescape_reply(std::int64_t dest_start, std::int64_t src_start, Bytes& dest, const Bytes& src, int count);

// Whole strings, escaped for a frame or restored from one.
Bytes escaped(std::string_view raw);
Bytes unescaped(std::string_view wire);

}  // namespace lg81xx
