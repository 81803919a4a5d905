#include "link/escaping.h"

namespace lg81xx {
namespace {

void ensure_size(Bytes& dest, std::size_t size) {
  if (dest.size() < size) dest.resize(size, '\0');
}

}  // namespace

bool is_reserved(std::uint8_t b) { return b == 0x7D || b == 0x7E || b == 0xFF; }

int unescape_reply(std::int64_t dest_start, std::int64_t src_start, Bytes& dest, const Bytes& src, int count) {
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
