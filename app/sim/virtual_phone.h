#pragma once
// The virtual phone: a stand-in for an LG U8110/U8120/U8130/U8138 on the other end of
// the line. Bytes from the line go in; what the phone sends back comes out. It keeps its
// folders in a directory on disk and checks every request it receives: a malformed one
// gets no answer, so the end-to-end tests prove the bytes.
//
// The replies are produced by services, one per kind of exchange (session and listings,
// uploads, downloads), each in its own file.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "faults.h"
#include "phone/model_family.h"
#include "platform/clock.h"
#include "request.h"
#include "request_framer.h"
#include "wire_names.h"

namespace lg81xx::sim {

struct PhoneOptions {
  std::string model = "LG U8130";
  std::string imei = "354321098765432";
  std::filesystem::path storage;  // its sub-folders are the phone's folders
  int busy_replies = 0;           // GET requests answered "busy" before serving (Faults::busy_downloads)
};

// The phone's folder names for a family, in the order the root list reports them.
std::vector<std::string> folder_names_of(Family family);

// What the services share: the options, the storage, the faults and the log.
class PhoneContext {
 public:
  explicit PhoneContext(PhoneOptions options);

  const PhoneOptions& options() const { return options_; }
  PhoneOptions& options() { return options_; }
  Family family() const { return family_of(options_.model); }
  // The phone's folder names for its model, in the order the root list reports them.
  std::vector<std::string> folder_names() const { return folder_names_of(family()); }
  // The on-disk path of `name` inside `folder`, or nothing when it would leave the storage.
  std::optional<std::filesystem::path> resolve(const std::string& folder, const std::string& name) const;
  // How the phone writes names on the line (wire_names.h).
  NameForm name_form() const { return name_form_of(family()); }

  // The faults in force; the services ask it whether the phone is busy.
  FaultInjector& faults() { return faults_; }
  // True (and logged) when the current request, which would start `exchange`, is to be
  // answered busy.
  bool busy(Exchange exchange);

  void log(const std::string& line);
  const std::vector<std::string>& log_lines() const { return log_; }
  std::function<void(const std::string&)> on_log;

 private:
  PhoneOptions options_;
  FaultInjector faults_;
  std::vector<std::string> log_;
};

class Service {
 public:
  virtual ~Service() = default;
  // Returns the reply (possibly empty, for "no answer") when the request is this
  // service's, nothing when another service should look at it.
  virtual std::optional<Bytes> handle(const Request& request, PhoneContext& phone) = 0;
  // AT commands arrive as text lines.
  virtual std::optional<Bytes> handle_at(std::string_view /*line*/, PhoneContext& /*phone*/) { return std::nullopt; }
};

std::unique_ptr<Service> make_session_service();
std::unique_ptr<Service> make_upload_service();
std::unique_ptr<Service> make_download_service();

class VirtualPhone {
 public:
  explicit VirtualPhone(PhoneOptions options);
  ~VirtualPhone();

  // Feeds bytes from the line; returns everything the phone answers to the requests they
  // complete.
  Bytes receive(std::string_view bytes);
  // The same, with each reply as the line delivers it under the faults set: in pieces, late,
  // spoiled, or followed by a hang-up (after which nothing more is answered).
  std::vector<Delivery> respond(std::string_view bytes);
  // Drops, with a log line, a request that stopped coming (request_framer.h); the line's
  // owner calls it while the line is quiet, respond() before it reads.
  void expire();
  // Faults from now on; requests are counted afresh.
  // A hung-up line is plugged in again.
  void set_faults(const Faults& faults) {
    context_.faults() = FaultInjector(faults);
    hung_up_ = false;
    framer_.take_pending();
  }
  bool hung_up() const { return hung_up_; }
  // The phone's time, for giving up on a request that stopped coming (steady time by
  // default), and the line's speed, which gives a long request more of it.
  void set_clock(const Clock& clock) { framer_.set_clock(clock); }
  void set_baud(int baud) { framer_.set_baud(baud); }

  PhoneContext& context() { return context_; }

 private:
  Bytes handle_unit(const Bytes& unit, Exchange& exchange);

  PhoneContext context_;
  std::vector<std::unique_ptr<Service>> services_;
  SteadyClock steady_;
  RequestFramer framer_{steady_};
  bool hung_up_ = false;
};

}  // namespace lg81xx::sim
