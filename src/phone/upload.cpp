// The upload engine: writes one file into a phone folder, frame by frame, each frame
// acknowledged by a reply beginning A0 00 before the next one goes out.
#include "phone/frames/upload_frames.h"
#include "phone/phone.h"

namespace lg81xx {
namespace {

constexpr std::int64_t kAckIntervalMs = 200;
constexpr int kAckReads = 20;

// The length bytes count characters and the terminator: byte counts on the U8110/U8120,
// character counts on the U8130/U8138.
UploadNames upload_names(Family family, const ObjectName& name) {
  return {wire_name(family, name.folder), wire_name(family, name.file),
          static_cast<std::uint8_t>(name.folder.size() + 1), static_cast<std::uint8_t>(name.file.size() + 1)};
}

// A name fits when its length byte and the byte count the phone keeps both stay below 255.
bool fits(Family family, std::string_view text) {
  return text.size() <= kLongestName && wire_name(family, text).size() - 1 <= kLongestName;
}

}  // namespace

JobResult Phone::upload(const ObjectName& name, const Bytes& data) {
  held_ = true;
  if (data.empty()) return JobResult::bad_input;  // a file never sent is never claimed
  if (!is_known_model(model_)) return JobResult::bad_input;
  const Family fam = family();
  if (!fits(fam, name.folder) || !fits(fam, name.file)) return JobResult::bad_input;

  UploadFrames plan(upload_names(fam, name), data);
  while (!plan.finished()) {
    events_.progress(static_cast<std::uint64_t>(plan.offset()), data.size());
    events_.lamp(true);
    link_.send(plan.next([this] { return next_sequence(); }).bytes);  // a failed write shows as silence
    const bool acknowledged = link_.await({kAckIntervalMs, kAckReads, is_acknowledgement}).has_value();
    events_.lamp(false);
    if (!acknowledged) return silence();
  }
  return JobResult::ok;
}

}  // namespace lg81xx
