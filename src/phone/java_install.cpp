#include "phone/java_install.h"

#include "phone/frames/install_requests.h"
#include "phone/frames/manifest.h"

namespace lg81xx {
namespace {

constexpr std::int64_t kSettleMs = 700;
constexpr std::int64_t kListAckIntervalMs = 400;
constexpr int kListAckReads = 20;

class JavaInstall {
 public:
  JavaInstall(Phone& phone, std::string position, const Bytes& jad, const Bytes& jar)
      : phone_(phone),
        position_(std::move(position)),
        jad_(jad),
        jar_(jar),
        manifest_(manifest_from(jad, phone.family())) {}

  // U8110/U8120: 8-bit names and literal requests.
  Outcome<InstallStep> run_8bit() {
    using enum InstallStep;
    phone_.set_sequence(0);
    const bool installed = upload(descriptor, ".jad", jad_) && keep_alive() && upload(archive, ".jar", jar_) &&
                           upload(manifest, ".mnf", manifest_) &&
                           settled_ack(content_info, content_info_request_8bit(phone_.next_sequence())) &&
                           settled_ack(pushlist, pushlist_request_8bit(phone_.next_sequence()));
    return installed ? Outcome<InstallStep>{JobResult::ok, InstallStep::done} : failure_;
  }

  // U8130/U8138: UTF-16LE names, the folder request first, lengths patched.
  Outcome<InstallStep> run_utf16() {
    using enum InstallStep;
    phone_.set_sequence(6);
    // The folder request carries 06 as it is; the files and requests after it count on.
    const bool installed = settled_ack(folder_request, java_folder_request(phone_.sequence())) &&
                           upload(descriptor, ".jad", jad_) && upload(archive, ".jar", jar_) &&
                           upload(manifest, ".mnf", manifest_) &&
                           awaited_ack(content_info, content_info_request_utf16(phone_.next_sequence())) &&
                           awaited_ack(pushlist, pushlist_request_utf16(phone_.next_sequence()));
    return installed ? Outcome<InstallStep>{JobResult::ok, InstallStep::done} : failure_;
  }

 private:
  // One of NN.jad, NN.jar, NN.mnf into "Java".
  bool upload(InstallStep step, const char* extension, const Bytes& content) {
    return passed(step, phone_.upload({"Java", position_ + extension}, content));
  }

  // Between the descriptor and the archive; its answer is waited for, not examined.
  bool keep_alive() {
    phone_.link().settle(install_keep_alive_request(phone_.next_sequence()), kSettleMs);
    return true;
  }

  // Written once, read after 700 ms.
  bool settled_ack(InstallStep step, const Bytes& request) {
    return passed(step, judge(phone_.link().settle(request, kSettleMs)));
  }

  // Written once, read every 400 ms, up to 20 times.
  bool awaited_ack(InstallStep step, const Bytes& request) {
    const WaitRule wait{kListAckIntervalMs, kListAckReads, Framing::obex, true};
    return passed(step, judge(phone_.link().exchange(request, wait)));
  }

  bool passed(InstallStep step, JobResult result) {
    failure_ = {result, step};
    return result == JobResult::ok;
  }

  Phone& phone_;
  std::string position_;
  const Bytes& jad_;
  const Bytes& jar_;
  Bytes manifest_;
  Outcome<InstallStep> failure_;
};

}  // namespace

Outcome<InstallStep> install_java_application(Phone& phone, const std::string& position, const Bytes& jad,
                                              const Bytes& jar) {
  LineHold line(phone);
  JavaInstall install(phone, position, jad, jar);
  return phone.family() == Family::u813 ? install.run_utf16() : install.run_8bit();
}

}  // namespace lg81xx
