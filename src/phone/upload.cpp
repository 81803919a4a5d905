// The upload engine: writes one file into a phone folder, frame by frame, each frame
// acknowledged by a reply of success before the next one goes out.
#include "phone/frames/upload_frames.h"
#include "phone/phone.h"

namespace lg81xx {
namespace {

constexpr std::int64_t kAckIntervalMs = 200;
constexpr int kAckReads = 20;

// The length bytes count characters and the terminator: bytes on the U8110/U8120, UTF-16
// code units on the U8130/U8138. Nothing when the family cannot hold a name, or when a
// name breaks the rule for names (name_fit) or leaves a first frame no room.
std::optional<UploadNames> upload_names(Family family, const ObjectName& name) {
  for (const std::string* text : {&name.folder, &name.file})
    if (name_fit(family, *text) != NameFit::fits) return std::nullopt;
  const Bytes folder = *wire_text(family, name.folder);
  const Bytes file = *wire_text(family, name.file);
  UploadNames names{terminated(family, folder), terminated(family, file),
                    static_cast<std::uint8_t>(wire_characters(family, folder) + 1),
                    static_cast<std::uint8_t>(wire_characters(family, file) + 1)};
  if (!first_frame_holds(names)) return std::nullopt;
  return names;
}

}  // namespace

JobResult Phone::upload(const ObjectName& name, const Bytes& data) {
  held_ = true;
  if (data.empty()) return JobResult::bad_input;                  // a file never sent is never claimed
  if (data.size() > kLargestUpload) return JobResult::bad_input;  // its size would be announced wrong
  if (!is_known_model(model_)) return JobResult::bad_input;
  auto names = upload_names(family(), name);
  if (!names) return JobResult::bad_input;

  UploadFrames plan(std::move(*names), data);
  const WaitRule acknowledgement{kAckIntervalMs, kAckReads, Framing::obex, true};
  for (bool first = true; !plan.finished(); first = false) {
    events_.progress(static_cast<std::uint64_t>(plan.offset()), data.size());
    events_.lamp(true);
    const Bytes frame = plan.next([this] { return next_sequence(); }).bytes;
    // A busy phone answers a file's first frame and starts nothing, so only that frame is
    // asked again.
    const Reply reply = first ? ask(frame, acknowledgement) : link_.exchange(frame, acknowledgement);
    events_.lamp(false);
    if (const JobResult result = judge(reply); result != JobResult::ok) return result;
  }
  return JobResult::ok;
}

}  // namespace lg81xx
