#include "shell/message_table.h"

#include <array>
#include <utility>

#include "shell/messages.h"

namespace lg81xx {
namespace {

struct Row {
  Job job;
  JobResult result;
  Family family;  // none: any
  Message message;
};

constexpr auto kCritical = MessageStyle::critical;
constexpr const char* kError = text::kErrorTitle;
constexpr Message kNotConnected{text::kNotConnected, kCritical, kError};
constexpr Message kLinkLost{text::kLinkLost, kCritical, kError};
constexpr Message kNoReplyDots{text::kNoReplyDots, kCritical, kError};  // listings, download
constexpr Message kNoReply{text::kNoReply, kCritical, kError};          // connect, install, probe
constexpr Message kUploadNoReply{text::kNoReply, MessageStyle::plain, ""};

// A pair that is not here, nor among the answers below, ends silently: a cancelled
// dialog, a folder without a listing request.
constexpr std::array kTable{
    Row{Job::connect, JobResult::no_reply, Family::none, kNoReply},
    Row{Job::connect, JobResult::bad_input, Family::none, {text::kWrongModel, kCritical, kError}},
    Row{Job::connect, JobResult::link_lost, Family::none, kLinkLost},
    Row{Job::open_folder, JobResult::not_connected, Family::none, kNotConnected},
    Row{Job::open_folder, JobResult::no_reply, Family::none, kNoReplyDots},
    Row{Job::open_folder, JobResult::link_lost, Family::none, kLinkLost},
    Row{Job::java_list, JobResult::not_connected, Family::none, kNotConnected},
    Row{Job::java_list, JobResult::no_reply, Family::none, kNoReplyDots},
    Row{Job::java_list, JobResult::link_lost, Family::none, kLinkLost},
    Row{Job::install,
        JobResult::ok,
        Family::u811_u812,
        {text::kUploadTerminato, MessageStyle::information, text::kJavaOkTitle}},
    Row{Job::install,
        JobResult::ok,
        Family::u813,
        {text::kUploadCompletato, MessageStyle::information, text::kJavaOkTitle}},
    Row{Job::install, JobResult::not_connected, Family::none, kNotConnected},
    Row{Job::install, JobResult::no_reply, Family::none, kNoReply},
    Row{Job::install, JobResult::link_lost, Family::none, kLinkLost},
    Row{Job::replace_sound,
        JobResult::ok,
        Family::none,
        {text::kSoundLoaded, MessageStyle::information, text::kSoundTitle}},
    Row{Job::replace_sound, JobResult::not_connected, Family::none, kNotConnected},
    Row{Job::replace_sound, JobResult::bad_input, Family::none, {text::kNameTooLong, kCritical, kError}},
    Row{Job::replace_sound, JobResult::no_reply, Family::none, kUploadNoReply},
    Row{Job::replace_sound, JobResult::link_lost, Family::none, kLinkLost},
    Row{Job::download, JobResult::not_connected, Family::none, kNotConnected},
    Row{Job::download, JobResult::no_reply, Family::none, kNoReplyDots},
    Row{Job::download, JobResult::link_lost, Family::none, kLinkLost},
    Row{Job::download, JobResult::local_file, Family::none, {text::kFileWriteFailed, kCritical, kError}},
    Row{Job::probe, JobResult::not_connected, Family::none, kNotConnected},
    Row{Job::probe, JobResult::no_reply, Family::none, kNoReply},
    Row{Job::probe, JobResult::link_lost, Family::none, kLinkLost},
    Row{Job::send_file, JobResult::ok, Family::none, {text::kFileSent, MessageStyle::information, text::kSoundTitle}},
    Row{Job::send_file, JobResult::not_connected, Family::none, kNotConnected},
    Row{Job::send_file, JobResult::no_reply, Family::none, kNoReply},
    Row{Job::send_file, JobResult::link_lost, Family::none, kLinkLost},
};

// What the phone answered, reported alike by every job.
constexpr std::array kAnswers{
    std::pair{JobResult::refused, Message{text::kRefused, kCritical, kError}},
    std::pair{JobResult::busy, Message{text::kBusy, kCritical, kError}},
    std::pair{JobResult::bad_reply, Message{text::kBadReply, kCritical, kError}},
    std::pair{JobResult::interrupted, Message{text::kCancelled, MessageStyle::information, text::kCancelledTitle}},
};

struct PortRow {
  PortFailure failure;
  const char* head;
  const char* what_to_do;
};

constexpr std::array kPortTable{
    PortRow{PortFailure::not_found, text::kPortNotFound, "collegare il telefono o scegliere un'altra porta"},
    PortRow{PortFailure::in_use, text::kPortInUse, "chiudere il programma che la usa"},
    PortRow{PortFailure::denied, text::kPortDenied, "l'utente deve far parte del gruppo dialout"},
};

}  // namespace

std::string port_failure_text(PortFailure failure, const std::string& device, const std::string& reason) {
  for (const auto& row : kPortTable)
    if (row.failure == failure) return std::string(row.head) + ": " + device + " (" + row.what_to_do + ")";
  std::string text = std::string(text::kPortOpenFailed) + ": " + device;
  if (!reason.empty()) text += " (" + reason + ")";
  return text;
}

std::optional<Message> message_for(Job job, JobResult result, Family family) {
  for (const auto& row : kTable)
    if (row.job == job && row.result == result && (row.family == Family::none || row.family == family))
      return row.message;
  for (const auto& [answer, message] : kAnswers)
    if (answer == result) return message;
  return std::nullopt;
}

}  // namespace lg81xx
