#pragma once
// --trace: every frame sent and every reply received, one line each: the time in seconds
// since the run began, the direction ("->" sent, "<-" received, "<x" received after a
// whole reply or a wait that ended, and dropped) and the bytes in hex.
#include <cstdint>
#include <ostream>
#include <string_view>

#include "link/link.h"

namespace lg81xx::cli {

std::string trace_line(std::int64_t elapsed_ms, Direction direction, std::string_view bytes);

// A trace function for Link::set_trace that writes to `out` with times from `clock`.
TraceFn make_trace(std::ostream& out, const Clock& clock);

}  // namespace lg81xx::cli
