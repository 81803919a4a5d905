#include "jobs/endings.h"

#include <array>
#include <utility>

namespace lg81xx {
namespace {

struct Row {
  Job job;
  JobResult result;
  Family family;  // none: any
  MessageId message;
};

using enum JobResult;
using Id = MessageId;

// A pair that is not here, nor among the answers below, ends silently.
constexpr std::array kTable{
    Row{Job::connect, no_reply, Family::none, Id::no_reply},
    Row{Job::connect, bad_input, Family::none, Id::wrong_model},
    Row{Job::connect, link_lost, Family::none, Id::link_lost},
    Row{Job::open_folder, not_connected, Family::none, Id::not_connected},
    Row{Job::open_folder, no_reply, Family::none, Id::no_reply_dots},
    Row{Job::open_folder, link_lost, Family::none, Id::link_lost},
    Row{Job::java_list, not_connected, Family::none, Id::not_connected},
    Row{Job::java_list, no_reply, Family::none, Id::no_reply_dots},
    Row{Job::java_list, link_lost, Family::none, Id::link_lost},
    Row{Job::install, ok, Family::u811_u812, Id::java_installed_u811},
    Row{Job::install, ok, Family::u813, Id::java_installed_u813},
    Row{Job::install, not_connected, Family::none, Id::not_connected},
    Row{Job::install, no_reply, Family::none, Id::no_reply},
    Row{Job::install, link_lost, Family::none, Id::link_lost},
    Row{Job::replace_sound, ok, Family::none, Id::sound_replaced},
    Row{Job::replace_sound, not_connected, Family::none, Id::not_connected},
    Row{Job::replace_sound, bad_input, Family::none, Id::name_too_long},
    Row{Job::replace_sound, no_reply, Family::none, Id::upload_no_reply},
    Row{Job::replace_sound, link_lost, Family::none, Id::link_lost},
    Row{Job::download, not_connected, Family::none, Id::not_connected},
    Row{Job::download, no_reply, Family::none, Id::no_reply_dots},
    Row{Job::download, link_lost, Family::none, Id::link_lost},
    Row{Job::download, local_file, Family::none, Id::file_write_failed},
    Row{Job::probe, not_connected, Family::none, Id::not_connected},
    Row{Job::probe, no_reply, Family::none, Id::no_reply},
    Row{Job::probe, link_lost, Family::none, Id::link_lost},
    Row{Job::send_file, ok, Family::none, Id::file_sent},
    Row{Job::send_file, not_connected, Family::none, Id::not_connected},
    Row{Job::send_file, no_reply, Family::none, Id::no_reply},
    Row{Job::send_file, link_lost, Family::none, Id::link_lost},
    Row{Job::restore_sound, ok, Family::none, Id::original_sound_restored},
    Row{Job::restore_sound, not_connected, Family::none, Id::not_connected},
    Row{Job::restore_sound, bad_input, Family::none, Id::name_too_long},
    Row{Job::restore_sound, no_reply, Family::none, Id::no_reply},
    Row{Job::restore_sound, link_lost, Family::none, Id::link_lost},
};

// What the phone answered, reported alike by every job.
constexpr std::array kAnswers{
    std::pair{refused, Id::refused},
    std::pair{busy, Id::busy},
    std::pair{bad_reply, Id::bad_reply},
    std::pair{interrupted, Id::cancelled},
};

struct PortRow {
  PortFailure failure;
  MessageId head;
  MessageId what_to_do;
};

constexpr std::array kPortTable{
    PortRow{PortFailure::not_found, Id::port_not_found, Id::plug_the_phone_in},
    PortRow{PortFailure::in_use, Id::port_in_use, Id::close_the_other_program},
    PortRow{PortFailure::denied, Id::port_denied, Id::join_dialout},
};

}  // namespace

std::optional<MessageId> ending_message(Job job, JobResult result, Family family) {
  for (const auto& row : kTable)
    if (row.job == job && row.result == result && (row.family == Family::none || row.family == family))
      return row.message;
  for (const auto& [answer, message] : kAnswers)
    if (answer == result) return message;
  return std::nullopt;
}

Message port_failure_message(PortFailure failure, const std::string& device, const std::string& reason) {
  for (const auto& row : kPortTable)
    if (row.failure == failure) return {row.head, ": " + device + " (" + italian(row.what_to_do) + ")", {}};
  return {Id::port_open_failed, ": " + device + (reason.empty() ? "" : " (" + reason + ")"), {}};
}

}  // namespace lg81xx
