#pragma once
// The two requests of a download: the GET that opens the file (command 20 86) and the
// continuation (command 20 A0) that tells the phone how far the transfer has come.
#include <cstdint>
#include <optional>

#include "base/bytes.h"
#include "phone/wire_names.h"

namespace lg81xx {

// The name part of both requests: the folder's name field, then the file's. Nothing when
// either name does not fit (name_fit).
std::optional<Bytes> download_names(Family family, const ObjectName& name);

// 83, length, 70, length - 3, FF 7D DF, command, sequence, 00 00, body length (LE),
// payload, 7E. Everything after the first FF is escaped, so a sequence byte, a name byte
// or a length byte of 7D, 7E or FF goes out as a pair; the lengths at offsets 1-2 and
// 4-5 count the pairs, the body length counts the bytes before escaping.
Bytes command_request(unsigned command, unsigned seq, const Bytes& payload);

Bytes get_request(const Bytes& names, unsigned seq);

// The names again, then the announced size, the bytes received so far and the number
// of this continuation (from 1), each as 4 little-endian bytes.
Bytes continuation_request(const Bytes& names, unsigned seq, std::uint32_t size, std::uint32_t received,
                           std::uint32_t block);

}  // namespace lg81xx
