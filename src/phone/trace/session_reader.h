#pragma once
// A recorded session read back for a person: what each frame of a trace is ("AT+CGSN",
// "GET Images/lago.jpg seq 04", "A0 ok: 1017 bytes of Images/lago.jpg, 1257 of 2931"),
// with escapes undone and names decoded for the phone's family. The reader follows the
// session as the phone does: a reply is read as the answer to the request before it, and
// an upload's continuation frames belong to the block its first frame opened.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/trace_format.h"
#include "phone/model_family.h"

namespace lg81xx {

struct FrameReading {
  std::string what;
  // Where a user's file content lies in the frame: the data of upload frames and of the
  // download blocks.
  std::vector<ByteSpan> file_data;
  // The IMEI that an answer to AT+CGSN carries, as it stands there.
  std::optional<std::string> imei;
};

class SessionReader {
 public:
  explicit SessionReader(Family family) : family_(family) {}
  // The frames in their order in the session.
  FrameReading read(const TraceRecord& record);

 private:
  // What the next reply answers; `plain` is an answer with nothing to read beyond its code.
  enum class Awaiting { nothing, at_answer, connect, information, root_folders, listing, first_block, block, plain };
  FrameReading read_request(const TraceRecord& record);
  FrameReading read_reply(const TraceRecord& record);
  FrameReading read_at_answer(std::string_view bytes);
  FrameReading read_command(std::string_view frame);
  FrameReading read_upload_start(std::string_view frame, unsigned command, unsigned seq);
  FrameReading read_upload_continuation(std::string_view frame);
  std::string block_text(std::size_t bytes);

  Family family_;
  Awaiting awaiting_ = Awaiting::nothing;
  std::string at_command_;          // the last AT command sent, for its echo
  std::string object_;              // folder/name of the transfer under way, or the folder listed
  std::size_t request_length_ = 0;  // of the GET request
  std::size_t data_at_ = 0;         // where the data of the next block's reply starts
  bool downloading_ = false;        // a file is coming in
  std::uint32_t announced_ = 0;     // its size, as the phone announced it
  std::uint64_t received_ = 0;      // the bytes of its blocks so far
  std::uint32_t upload_block_ = 0;
  bool block_open_ = false;   // upload: more frames of the current block follow
  bool upload_ends_ = false;  // upload: the current block is the file's last
};

// How the names of a trace are decoded: the family of the model given, of the heading's
// --model, or else of the names its requests carry.
struct TraceFamily {
  Family family = Family::none;
  std::string source;  // "--model \"LG U8120\"", "the names in the requests", ...
};
TraceFamily family_of_trace(const Trace& trace, std::optional<std::string> model = std::nullopt);

struct ShownFrame {
  std::int64_t time_ms = 0;
  Direction direction = Direction::sent;
  std::string what;
};

std::vector<ShownFrame> show_trace(const Trace& trace, Family family);

// "   0.400 -> AT+CGSN": the time and direction as the trace writes them.
std::string shown_line(const ShownFrame& frame);

}  // namespace lg81xx
