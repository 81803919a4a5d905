// unescape_reply must never read or write outside its arrays, whatever the run holds, and
// escaping followed by unescaping gives the input back.
#include <cstdint>
#include <cstdlib>

#include "link/escaping.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const lg81xx::Bytes input(reinterpret_cast<const char*>(data), size);
  if (size >= 2) {
    // First two bytes choose a start and count inside the rest, as the engines pass them.
    const lg81xx::Bytes run = input.substr(2);
    const auto start = static_cast<std::int64_t>(data[0] % (run.size() + 1));
    const int count = static_cast<int>(data[1] % (run.size() + 2));
    lg81xx::Bytes dest;
    const int n = lg81xx::unescape_reply(0, start, dest, run, count);
    if (n < 0 || static_cast<std::size_t>(n) > dest.size()) std::abort();
  }
  if (lg81xx::unescaped(lg81xx::escaped(input)) != input) std::abort();
  return 0;
}
