#pragma once
// The trace of a session, as --trace writes it and as people and programs read it back.
// One line per frame: the seconds since the start with three decimals, the direction
// ("->" sent, "<-" received, "<x" received after a whole reply and dropped) and the bytes
// as two hex digits each:
//
//        0.400 -> 41 54 2B 43 47 53 4E 0D 0A 00
//
// A line "!!" and a text in place of the direction and bytes is a note of what a job made of
// a reply it went on without ("   25.000 !! the session request (00 81) refused; ...").
//
// Lines that begin with "#" are the trace's heading: the program that wrote it and the
// command it ran:
//
//   # lg81xx-cli 0.1.0
//   # command: --port sim --model "LG U8120" ls Immagini
//
// A trace made fit to share stands "[N file bytes]" where N bytes of a user's file went
// over the line.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "link/link.h"

namespace lg81xx {

// Bytes [start, start + length) of a frame.
struct ByteSpan {
  std::size_t start = 0;
  std::size_t length = 0;
};

struct TraceRecord {
  std::int64_t time_ms = 0;
  Direction direction = Direction::sent;
  Bytes bytes;                   // hidden bytes read as 00
  std::vector<ByteSpan> hidden;  // where "[N file bytes]" stood, in order
  std::size_t line = 0;          // 1-based, in the text it was read from
};

struct Trace {
  std::vector<std::string> heading;  // the "#" lines, "#" and one blank taken off
  std::vector<TraceRecord> records;
  std::vector<std::size_t> unreadable;  // numbers of the lines that are neither
};

// One frame line; nothing when `line` is not one.
std::optional<TraceRecord> read_trace_line(std::string_view line);

// Every line of `text`; empty lines are skipped.
Trace read_trace(std::string_view text);

// The line of one frame; the spans of `hidden` (in order, not overlapping) are written as
// "[N file bytes]".
std::string trace_line(std::int64_t elapsed_ms, Direction direction, std::string_view bytes,
                       const std::vector<ByteSpan>& hidden = {});

// The heading a trace starts with: "# PROGRAM" (its name and version), then "# command:" and
// the arguments, each as a shell reads it: as it is when made only of letters, digits and
// -_./:=@%+, and otherwise in double quotes, with \ before " \ $ and ` (and a control
// character written \xHH, which a shell would not undo), so the heading stays two lines.
std::string trace_heading(std::string_view program, const std::vector<std::string>& arguments);

// The words of the heading's first "command:" line, as trace_heading writes them or a person
// types them: blanks part words, double or single quotes keep them together, a backslash
// outside single quotes takes the next character as it is, and \xHH in double quotes is
// the byte HH. Nothing when there is no such line or a quote is left open.
std::optional<std::vector<std::string>> heading_command(const std::vector<std::string>& heading);

// The value of `option` ("--model") in the heading's command (`--model "LG U8120"`,
// `--model='LG U8120'`, `--model=X`); the last one wins.
std::optional<std::string> heading_option(const std::vector<std::string>& heading, std::string_view option);

}  // namespace lg81xx
