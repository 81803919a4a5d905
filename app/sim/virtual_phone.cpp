#include "virtual_phone.h"

#include "base/hex_codec.h"
#include "phone/sound_table.h"

namespace lg81xx::sim {

PhoneContext::PhoneContext(PhoneOptions options)
    : options_(std::move(options)), faults_(Faults{.busy_downloads = options_.busy_replies}) {
  std::error_code ec;
  if (options_.storage.empty()) return;
  std::filesystem::create_directories(options_.storage, ec);
  for (const auto& folder : folder_names()) std::filesystem::create_directories(options_.storage / folder, ec);
  // The system sounds' folders beside them: an upload never makes a folder.
  for (const auto& sound : kSoundTable)
    std::filesystem::create_directories(
        options_.storage / std::filesystem::path(sound.path).relative_path().parent_path(), ec);
}

std::vector<std::string> folder_names_of(Family family) {
  if (family == Family::u811_u812) return {"Immagini", "Audio", "Video", "Java"};
  return {"Animations", "Audios", "Images", "Videos", "VoiceRecord", "Java"};
}

std::optional<std::filesystem::path> PhoneContext::resolve(const std::string& folder, const std::string& name) const {
  const auto root = options_.storage.lexically_normal();
  const auto path = (root / folder / name).lexically_normal();
  const auto rel = path.lexically_relative(root);
  if (rel.empty() || *rel.begin() == ".." || rel == ".") return std::nullopt;
  return path;
}

bool PhoneContext::busy(Exchange exchange) {
  if (!faults_.busy(exchange)) return false;
  log("busy: answered \"service unavailable\"");
  return true;
}

void PhoneContext::log(const std::string& line) {
  log_.push_back(line);
  if (on_log) on_log(line);
}

VirtualPhone::VirtualPhone(PhoneOptions options) : context_(std::move(options)) {
  // Uploads first: a continuation frame's data may begin like a session command.
  services_.push_back(make_upload_service());
  services_.push_back(make_session_service());
  services_.push_back(make_download_service());
}

VirtualPhone::~VirtualPhone() = default;

Bytes VirtualPhone::receive(std::string_view bytes) {
  Bytes out;
  for (const auto& d : respond(bytes))
    for (const auto& piece : d.pieces) out += piece.bytes;
  return out;
}

std::vector<Delivery> VirtualPhone::respond(std::string_view bytes) {
  std::vector<Delivery> out;
  if (hung_up_) return out;
  expire();
  for (const Bytes& unit : framer_.add(bytes)) {
    context_.faults().next_request();
    Exchange exchange = Exchange::session;
    const Bytes reply = handle_unit(unit, exchange);
    Delivery d = context_.faults().deliver(reply, exchange);
    const bool hang_up = d.hang_up;
    out.push_back(std::move(d));
    if (hang_up) {
      context_.log("!! fault: the line is pulled");
      hung_up_ = true;
      framer_.take_pending();
      break;
    }
  }
  return out;
}

void VirtualPhone::expire() {
  const Bytes stale = framer_.expire();
  if (!stale.empty())
    context_.log("!! incomplete request dropped, it did not complete in time (" + std::to_string(stale.size()) +
                 " bytes): " + bin_to_hex(stale.substr(0, 16)) + (stale.size() > 16 ? "..." : ""));
}

Bytes VirtualPhone::handle_unit(const Bytes& unit, Exchange& exchange) {
  context_.log("<< " + bin_to_hex(unit));
  std::optional<Bytes> reply;
  if (unit.rfind("AT", 0) == 0) {
    for (auto& s : services_)
      if ((reply = s->handle_at(unit, context_))) break;
  } else {
    std::string why;
    const auto request = parse_request(unit, why);
    if (!request) {
      context_.log("!! malformed request, not answered: " + why);
      return {};
    }
    exchange = exchange_of(*request);
    for (auto& s : services_)
      if ((reply = s->handle(*request, context_))) break;
  }
  if (!reply) {
    context_.log("!! request not understood, not answered");
    return {};
  }
  if (!reply->empty()) context_.log(">> " + bin_to_hex(*reply));
  return *reply;
}

}  // namespace lg81xx::sim
