#include "link/escaping.h"

namespace lg81xx {
namespace {

void ensure_size(Bytes& dest, std::size_t size) {
  if (dest.size() < size) dest.resize(size, '\0');
}

// Writes src byte `b` escaped at dest[j] (and dest[j + 1] for a pair); returns the
// index of the last byte written.
std::int64_t write_escaped(Bytes& dest, std::int64_t j, std::uint8_t b) {
  if (is_reserved(b)) {
    ensure_size(dest, static_cast<std::size_t>(j) + 2);
    dest[static_cast<std::size_t>(j)] = as_char(0x7D);
    dest[static_cast<std::size_t>(j) + 1] = as_char(b ^ 0x20u);
    return j + 1;
  }
  ensure_size(dest, static_cast<std::size_t>(j) + 1);
  dest[static_cast<std::size_t>(j)] = as_char(b);
  return j;
}

}  // namespace

bool is_reserved(std::uint8_t b) { return b == 0x7D || b == 0x7E || b == 0xFF; }

int escape_bytes(int dest_start, int src_start, Bytes& dest, const Bytes& src, int count) {
  std::int64_t j = 0;
  for (int i = 0; i < count; ++i) {
    const auto s = static_cast<std::size_t>(src_start + i);
    if (s >= src.size()) break;
    j = write_escaped(dest, dest_start + j, byte_at(src, s)) - dest_start + 1;
  }
  return static_cast<int>(j);
}

int escape_chunk(std::int64_t src_start, Bytes& dest, const Bytes& src, int count, int limit,
                 int& consumed) {
  consumed = 0;
  std::int64_t j = 0;
  while (consumed < count) {
    const auto s = static_cast<std::size_t>(src_start + consumed);
    if (s >= src.size()) break;
    j = write_escaped(dest, j, byte_at(src, s)) + 1;
    ++consumed;
    if (j == limit) break;
    if (j == limit + 1) {  // the pair's partner stands at index `limit`, past the count
      j = limit;
      break;
    }
  }
  return static_cast<int>(j);
}

int unescape_reply(std::int64_t dest_start, std::int64_t src_start, Bytes& dest, const Bytes& src,
                   int count) {
  std::int64_t j = 0;
  for (std::int64_t i = 0; i < count; ++i, ++j) {
    const auto s = static_cast<std::size_t>(src_start + i);
    if (s >= src.size()) break;
    std::uint8_t b = byte_at(src, s);
    if (b == 0x7D && s + 1 < src.size()) {
      ++i;
      b = byte_at(src, s + 1) | 0x20u;
    }
    const auto d = static_cast<std::size_t>(dest_start + j);
    ensure_size(dest, d + 1);
    dest[d] = as_char(b);
  }
  return static_cast<int>(j);
}

Bytes escaped(std::string_view raw) {
  Bytes out;
  out.reserve(raw.size() + raw.size() / 64 + 4);
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const std::uint8_t b = byte_at(raw, i);
    if (is_reserved(b)) {
      put_byte(out, 0x7D);
      put_byte(out, b ^ 0x20u);
    } else {
      put_byte(out, b);
    }
  }
  return out;
}

Bytes unescaped(std::string_view wire) {
  Bytes out;
  const Bytes src(wire);
  out.resize(src.size());
  out.resize(static_cast<std::size_t>(unescape_reply(0, 0, out, src, static_cast<int>(src.size()))));
  return out;
}

}  // namespace lg81xx
