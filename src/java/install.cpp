// "INVIA": installs the chosen JAD/JAR pair into the phone's folder "Java" at the
// position of Text1, as NN.jad, NN.jar and NN.mnf, then names contentInfo and pushlist.
#include <cctype>

#include "phone/frames/install_requests.h"
#include "phone/frames/manifest.h"
#include "shell/form1.h"
#include "shell/job_end.h"
#include "shell/messages.h"

namespace lg81xx {
namespace {

constexpr std::int64_t kSettleMs = 700;
constexpr std::int64_t kListAckIntervalMs = 400;
constexpr int kListAckReads = 20;
constexpr int kHighestPosition = 64;

// The position text padded to two characters; nothing when it is not 00..64.
std::optional<std::string> padded_position(std::string text) {
  if (text.size() < 2) text.insert(text.begin(), '0');
  if (text.size() != 2) return std::nullopt;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  if (std::stoi(text) > kHighestPosition) return std::nullopt;
  return text;
}

class JavaInstall {
 public:
  JavaInstall(Form1& form, std::string position) : form_(form), position_(std::move(position)) {}

  // U8110/U8120: 8-bit names and literal requests.
  void run_8bit() {
    form_.frame_seq = 0;
    if (!upload(".jad", form_.jad_data)) {  // the engine has said why
      form_.Label8.caption.clear();
      return;
    }
    form_.link().settle(install_keep_alive_request(form_.next_sequence()), kSettleMs);  // not examined
    if (!upload(".jar", form_.jar_data)) return no_reply();
    if (!upload(".mnf", manifest())) return no_reply();
    if (!settled_ack(content_info_request_8bit(form_.next_sequence()))) return no_reply();
    if (!settled_ack(pushlist_request_8bit(form_.next_sequence()))) return no_reply();
    succeed(text::kUploadTerminato);
  }

  // U8130/U8138: UTF-16LE names, a folder request first, lengths patched.
  void run_utf16() {
    form_.link_busy = true;
    form_.frame_seq = 6;
    if (!settled_ack(java_folder_request(form_.frame_seq))) return no_reply();  // carries 06 as it is
    if (!upload(".jad", form_.jad_data)) return no_reply();
    if (!upload(".jar", form_.jar_data)) return no_reply();
    if (!upload(".mnf", manifest())) return no_reply();
    if (!awaited_ack(content_info_request_utf16(form_.next_sequence()))) return no_reply();
    if (!awaited_ack(pushlist_request_utf16(form_.next_sequence()))) return no_reply();
    succeed(text::kUploadCompletato);
  }

 private:
  Bytes manifest() {
    form_.buffer2 = manifest_from(form_.jad_data, form_.family());
    return form_.buffer2;
  }

  // One of NN.jad, NN.jar, NN.mnf into "Java"; true when every frame was acknowledged.
  bool upload(const std::string& extension, const Bytes& content) {
    const std::string name = position_ + extension;
    form_.folder_name_chars = 4;
    form_.file_name_chars = static_cast<std::int16_t>(name.size());
    if (form_.family() == Family::u813) {
      const Bytes folder = utf16le("Java") + '\0';
      const Bytes file = utf16le(name) + '\0';
      form_.upload_object(static_cast<int>(folder.size()), static_cast<int>(file.size()), file, folder,
                          static_cast<std::int64_t>(content.size()), content);
    } else {
      form_.upload_object(4, static_cast<int>(name.size()), name, "Java",
                          static_cast<std::int64_t>(content.size()), content);
    }
    return is_acknowledgement(form_.last_reply);
  }

  // Written once, one read after 700 ms.
  bool settled_ack(const Bytes& request) { return is_acknowledgement(form_.link().settle(request, kSettleMs)); }

  // Written once, up to 20 reads 400 ms apart.
  bool awaited_ack(const Bytes& request) {
    form_.link().send(request);
    return form_.link().await({kListAckIntervalMs, kListAckReads, is_acknowledgement}).has_value();
  }

  void no_reply() {
    if (form_.platform().port.is_open())
      form_.fail(JobResult::no_reply, text::kNoReply, MessageStyle::critical, text::kErrorTitle);
    else if (form_.last_result != JobResult::link_lost)  // the engine may have said so already
      form_.fail(JobResult::link_lost, text::kLinkLost, MessageStyle::critical, text::kErrorTitle);
  }

  void succeed(const char* message) {
    form_.set_progress_done();
    form_.last_result = JobResult::ok;
    form_.platform().ui.message_box(message, MessageStyle::information, text::kJavaOkTitle);
    form_.Label8.caption.clear();
  }

  Form1& form_;
  std::string position_;
};

}  // namespace

void Form1::Command3_Click() {
  if (!is_known_model(Combo1.text)) {
    Label8.caption.clear();
    return fail(JobResult::bad_input, text::kUnknownModel, MessageStyle::critical, text::kErrorTitle);
  }
  const auto position = padded_position(Text1.text);
  if (!position) return fail(JobResult::bad_input, text::kBadPosition, MessageStyle::critical, text::kErrorTitle);
  // Without a descriptor and an archive nothing could be installed, and an empty upload
  // would leave no acknowledgement to judge the install by.
  if (jad_data.empty() || jar_data.empty())
    return fail(JobResult::bad_input, text::kNoSelection, MessageStyle::critical, text::kErrorTitle);
  if (!require_connection()) return;

  if (Text1.text != *position) set_Text1(*position);
  platform_.ui.set_busy_pointer(true);
  JobEnd end(*this);
  JavaInstall install(*this, *position);
  if (family() == Family::u813)
    install.run_utf16();
  else
    install.run_8bit();
}

}  // namespace lg81xx
