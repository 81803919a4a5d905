// The upload engine: writes one file into a phone folder, frame by frame, each frame
// acknowledged by a reply beginning A0 00 before the next one goes out.
#include <algorithm>
#include <optional>

#include "phone/frames/upload_frames.h"
#include "shell/form1.h"
#include "shell/messages.h"

namespace lg81xx {
namespace {

constexpr int kAckIntervalMs = 200;
constexpr int kAckReads = 20;
constexpr int kLongestName = 254;  // the length byte also counts the terminator

// Elements 0..length of a name array; an element past the caller's text is a zero byte.
Bytes name_as_sent(const Bytes& name, int length) {
  Bytes out = name.substr(0, static_cast<std::size_t>(length) + 1);
  out.resize(static_cast<std::size_t>(length) + 1, '\0');
  return out;
}

// The length bytes: byte counts on the U8110/U8120, character counts (set by the caller
// in folder_name_chars / file_name_chars) on the U8130/U8138. Nothing for other models.
std::optional<std::pair<int, int>> length_bytes(const std::string& model, int folder_length,
                                                int file_name_length, int folder_chars, int file_chars) {
  if (model == "LG U8110" || model == "LG U8120") return std::pair{folder_length + 1, file_name_length + 1};
  if (model == "LG U8130" || model == "LG U8138") return std::pair{folder_chars + 1, file_chars + 1};
  return std::nullopt;
}

bool fits_length_byte(int length) { return length >= 0 && length <= kLongestName; }

}  // namespace

int Form1::upload_object(int folder_length, int file_name_length, const Bytes& file_name,
                         const Bytes& folder_name, std::int64_t file_size, const Bytes& content) {
  link_busy = true;  // the caller clears it
  const auto size = static_cast<std::size_t>(std::clamp<std::int64_t>(
      file_size, 0, static_cast<std::int64_t>(content.size())));
  if (size == 0) return 1;
  // A stale acknowledgement must never make this upload look successful.
  last_reply.clear();

  const auto lengths =
      length_bytes(Combo1.text, folder_length, file_name_length, folder_name_chars, file_name_chars);
  if (!lengths) {
    fail(JobResult::bad_input, text::kUnknownModel, MessageStyle::critical, text::kErrorTitle);
    return 1;
  }
  if (!fits_length_byte(folder_length) || !fits_length_byte(file_name_length) ||
      !fits_length_byte(lengths->first - 1) || !fits_length_byte(lengths->second - 1)) {
    fail(JobResult::bad_input, text::kNameTooLong, MessageStyle::critical, text::kErrorTitle);
    return 1;
  }

  UploadNames names{name_as_sent(folder_name, folder_length), name_as_sent(file_name, file_name_length),
                    static_cast<std::uint8_t>(lengths->first), static_cast<std::uint8_t>(lengths->second)};
  UploadFrames plan(std::move(names), std::string_view(content).substr(0, size));

  while (!plan.finished()) {
    set_progress(kFullProgress / static_cast<double>(size) * static_cast<double>(plan.offset()));
    show_lamp(true);
    const WireFrame frame = plan.next([this] { return next_sequence(); });
    platform_.ui.repaint();
    link_.send(frame.bytes);  // a failed write shows up as the missing acknowledgement

    const auto ack = link_.await({kAckIntervalMs, kAckReads, is_acknowledgement});
    if (!ack) {
      // Only a completely acknowledged upload leaves an acknowledgement behind.
      last_reply.clear();
      show_lamp(false);
      if (platform_.port.is_open())
        fail(JobResult::no_reply, text::kNoReply, MessageStyle::plain);
      else
        fail(JobResult::link_lost, text::kLinkLost, MessageStyle::critical, text::kErrorTitle);
      return 1;
    }
    last_reply = *ack;
    show_lamp(false);
  }
  last_result = JobResult::ok;
  return 1;
}

}  // namespace lg81xx
