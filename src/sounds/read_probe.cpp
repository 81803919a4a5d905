// Command4: asks the phone to open the first message tone for reading (GET 20 86, the
// request that starts a download) and reports only whether the phone accepts.
#include "base/hex_codec.h"
#include "link/request_frame.h"
#include "shell/form1.h"
#include "shell/messages.h"

namespace lg81xx {
namespace {

constexpr std::int64_t kProbeIntervalMs = 200;
constexpr int kProbeReads = 20;
constexpr unsigned kProbeSequence = 6;

// Always the U8130/U8138 form: "Audios" and ../MessageTone/Message1.mid in UTF-16LE.
Bytes probe_request(unsigned sequence) {
  Bytes frame = hex_to_bin("830000700040FF7DDF2086" + hex2(sequence) + "0000000007" + bin_to_hex(utf16le("Audios")) +
                           "00001C2E002E002F00" + bin_to_hex(utf16le("MessageTone/Message1.mid")) + "00007E");
  patch_short_lengths(frame);
  return frame;
}

}  // namespace

void Form1::Command4_Click() {
  if (!require_connection()) return;
  link_busy = true;
  frame_seq = kProbeSequence;
  link_.send(probe_request(frame_seq));
  if (!link_.await({kProbeIntervalMs, kProbeReads, is_acknowledgement})) {
    // link_busy stays set: the keep-alive waits until another job frees the link.
    if (!platform_.port.is_open())
      return fail(JobResult::link_lost, text::kLinkLost, MessageStyle::critical, text::kErrorTitle);
    return fail(JobResult::no_reply, text::kNoReply, MessageStyle::critical, text::kErrorTitle);
  }
  link_busy = false;
  last_result = JobResult::ok;
}

}  // namespace lg81xx
