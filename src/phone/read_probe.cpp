#include "phone/read_probe.h"

#include "base/hex_codec.h"
#include "link/request_frame.h"

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

JobResult send_read_probe(Phone& phone) {
  phone.hold_line();
  phone.set_sequence(kProbeSequence);
  const Reply reply = phone.ask(probe_request(kProbeSequence), {kProbeIntervalMs, kProbeReads, Framing::obex, true});
  const JobResult result = judge(reply);
  if (result == JobResult::ok) phone.free_line();
  return result;
}

}  // namespace lg81xx
