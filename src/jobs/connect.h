#pragma once
// Connect and disconnect: the port opened, the phone asked for its IMEI, its session, its
// information text and its folders, and its folder "Java" read for the position an
// install goes to. While the line is idle, a keep-alive now and then.
#include <optional>
#include <string>
#include <vector>

#include "jobs/job_context.h"
#include "jobs/job_outcome.h"

namespace lg81xx {

// The applications in the phone's folder "Java" and the position proposed for the next.
struct JavaList {
  std::vector<std::string> rows;
  std::optional<std::string> position;  // the first free one from 01; nothing when all 64 hold one
};

// The steps of a connect, in their order.
enum class ConnectStage { none, opened, imei, information, folders, java_list };

// What a connect has learned of the phone; the listener hears it after every step.
struct PhoneFacts {
  ConnectStage reached = ConnectStage::none;  // the last step done
  std::string device;                         // the device opened
  std::optional<std::string> imei;            // its 15 digits; nothing when the answer held none
  std::string information;
  std::vector<std::string> folders;  // "Java" last
  std::optional<JavaList> java;      // nothing for a model of neither family
};

struct ConnectRequest {
  std::string model;  // one of the four, or nothing
  std::string port;   // as typed: a COM item ("COM  3"), a device, or "device (description)"
};

// Opens the port and runs the connect. A step the phone does not answer as it should
// closes the port again (with the disconnect frame once the session is open) and the
// message says which step; a Java list that cannot be read leaves the port open and the
// line held. A full folder "Java" is a warning to the listener.
JobOutcome<PhoneFacts> connect_phone(JobContext& jobs, const ConnectRequest& request);

// The phone's folder "Java" read anew.
JobOutcome<JavaList> read_java_list(JobContext& jobs);

// Says goodbye to the phone and closes the port, when it is open.
void disconnect_phone(JobContext& jobs);

// One keep-alive while the line is free; false when none went out.
bool keep_alive(JobContext& jobs);

}  // namespace lg81xx
