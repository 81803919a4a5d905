#pragma once
// A trace as lg81xx-cli --trace writes it: comment lines that start with "#" (the program
// and its version, the command it ran), then one line per frame: the seconds since the run
// began with three decimals, the direction ("->" sent by the client, "<-" received by it,
// "<x" received and dropped) and the bytes, two hex digits each, after a blank each.
//
//   # lg81xx-cli 0.1.0
//   # command: --port /dev/pts/3 --model "LG U8120" ls Immagini
//          0.004 -> 41 54 2B 43 47 53 4E 0D 0A 00
//          0.404 <- 41 54 2B 43 47 53 4E 0D 0D 0A 33 ...
//
// Blank lines are passed over.
#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "link/link.h"

namespace lg81xx::sim {

struct TraceFrame {
  int line = 0;  // in the file, from 1
  std::int64_t at_ms = 0;
  Direction direction = Direction::sent;
  Bytes bytes;
};

struct Trace {
  std::vector<std::string> comments;  // the text after "# "
  std::vector<TraceFrame> frames;
};

// Nothing, with `why` naming the line, when a line is neither a comment nor a frame.
std::optional<Trace> read_trace(std::istream& in, std::string& why);
std::optional<Trace> read_trace_file(const std::filesystem::path& path, std::string& why);

// The comment "KEY: VALUE" of the trace (the value), or nothing.
std::optional<std::string> trace_comment(const Trace& trace, const std::string& key);

}  // namespace lg81xx::sim
