#pragma once
// The IMEI in the phone's answer to AT+CGSN.
#include <optional>
#include <string>
#include <string_view>

namespace lg81xx {

inline constexpr std::size_t kImeiLength = 15;

// The first run of exactly 15 digits that something else than a digit follows, wherever
// the phone puts it: after the echo of the command or without one, after blank lines,
// with CR LF, a lone CR or a lone LF. Nothing when the answer holds none (a run of more
// digits is no IMEI, nor one that ends the answer, which may have been cut short).
std::optional<std::string> imei_in(std::string_view answer);

}  // namespace lg81xx
