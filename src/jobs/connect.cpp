#include "jobs/connect.h"

#include "jobs/checks.h"
#include "jobs/endings.h"
#include "jobs/position.h"
#include "link/port_names.h"

namespace lg81xx {
namespace {

MessageId step_part(ConnectStep step) {
  switch (step) {
    case ConnectStep::imei: return MessageId::at_imei;
    case ConnectStep::obex_mode: return MessageId::at_obex_mode;
    case ConnectStep::obex_connect: return MessageId::at_obex_connect;
    case ConnectStep::session: return MessageId::at_session;
    case ConnectStep::information: return MessageId::at_information;
    case ConnectStep::folders: break;
  }
  return MessageId::at_folders;
}

// A step the phone did not answer as it should: the port is closed, and the message says
// which step failed (or which model the phone is).
template <class T>
JobOutcome<PhoneFacts> connect_failed(Phone& phone, const StepOutcome<T>& step, PhoneFacts facts) {
  // Goodbye only to a phone that opened its session.
  if (step.step >= ConnectStep::session)
    phone.disconnect();
  else
    phone.close();
  std::string detail;
  if (step.result == JobResult::bad_input)
    detail = " " + step.phone_model;
  else if (step.result != JobResult::interrupted)
    detail = ": " + italian(MessageId::connect_stopped, {italian(step_part(step.step))});
  return ended(phone, Job::connect, step.result, std::move(facts), detail);
}

}  // namespace

JobOutcome<PhoneFacts> connect_phone(JobContext& jobs, const ConnectRequest& request) {
  auto& phone = jobs.phone();
  auto& listener = jobs.listener();
  // Every exchange takes its form from the model: without one there is nothing to say.
  if (request.model.empty())
    return refused<PhoneFacts>({JobResult::not_connected, {MessageId::no_model_chosen, {}, {}}});
  const std::string device = port_device(request.port);
  if (device.empty()) {
    if (com_number(request.port))  // "COM  21" names no port item
      return refused<PhoneFacts>({JobResult::bad_input, {MessageId::bad_com_item, {}, {}}});
    return refused<PhoneFacts>({JobResult::not_connected, {MessageId::no_port_chosen, {}, {}}});
  }
  phone.set_model(request.model);
  listener.started();
  if (!phone.open(device))
    return refused<PhoneFacts>(
        {JobResult::not_connected, port_failure_message(phone.port_failure(), device, phone.port_error())});

  PhoneFacts facts;
  facts.device = device;
  facts.reached = ConnectStage::opened;
  const auto imei = phone.query_imei();
  if (!imei.ok()) return connect_failed(phone, imei, facts);
  facts.imei = imei.value;
  facts.reached = ConnectStage::imei;
  listener.learned(facts);
  const auto information = phone.start_session();
  if (!information.ok()) return connect_failed(phone, information, facts);
  facts.information = information.value;
  facts.reached = ConnectStage::information;
  listener.learned(facts);
  const auto folders = phone.read_folders();
  if (!folders.ok()) return connect_failed(phone, folders, facts);
  facts.folders = folders.value;
  facts.reached = ConnectStage::folders;
  listener.learned(facts);

  auto java = read_java_list(jobs);
  if (java.result == JobResult::bad_input) return {JobResult::ok, std::move(facts), {}};  // neither family: no list
  if (!java.ok()) return {java.result, std::move(facts), std::move(java.message)};
  facts.java = std::move(java.value);
  facts.reached = ConnectStage::java_list;
  listener.learned(facts);
  if (!facts.java->position) listener.notice({MessageId::java_full, {}, {}});
  return {JobResult::ok, std::move(facts), {}};
}

JobOutcome<JavaList> read_java_list(JobContext& jobs) {
  auto& phone = jobs.phone();
  if (auto refusal = check_connected(phone)) return refused<JavaList>(std::move(*refusal));
  const auto java = phone.list_java();
  if (java.result == JobResult::bad_input) return {java.result, {}, {}};  // neither family: nothing to ask
  if (!java.ok()) return ended<JavaList>(phone, Job::java_list, java.result);
  return {JobResult::ok, {java.value, first_free_position(java.value)}, {}};
}

void disconnect_phone(JobContext& jobs) {
  if (jobs.phone().is_open()) jobs.phone().disconnect();
}

bool keep_alive(JobContext& jobs) {
  // A job under way (or a connect not yet complete) holds the line; a closed port has none.
  if (!jobs.phone().line_free()) return false;
  jobs.listener().lamp(true);
  jobs.phone().keep_alive();
  return true;
}

}  // namespace lg81xx
