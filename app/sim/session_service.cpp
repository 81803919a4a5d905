// The session and listing side of the phone: the two AT commands, the OBEX CONNECT, the
// session commands, the root list, the folder listings, the keep-alive and the goodbye.
#include <algorithm>
#include <filesystem>

#include "link/request_frame.h"
#include "phone/wire_names.h"
#include "replies.h"
#include "virtual_phone.h"

namespace lg81xx::sim {
namespace {

constexpr unsigned kSessionOpen = 0x0081;
constexpr unsigned kDisconnect = 0x0082;
constexpr unsigned kPhoneInfo = 0x0083;
constexpr unsigned kKeepAlive = 0x00A1;
constexpr unsigned kCommand2081 = 0x2081;
constexpr unsigned kRootList = 0x2082;
constexpr unsigned kListing = 0x2083;

// The listing's entry names start here; the byte before them is the client's marker place.
constexpr std::size_t kEntriesOffset = 25;

std::string_view trim_line_end(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == '\0')) line.remove_suffix(1);
  return line;
}

// The information text: model code and firmware, "U8130 V10c-EUR". The U813 family's
// client shows its first 14 characters, the U811/U812 family's the first 5 (the model).
std::string info_text(const PhoneOptions& options) {
  const std::string& model = options.model;
  const std::string code = model.rfind("LG ", 0) == 0 ? model.substr(3) : model;
  return code + " V10c-EUR";
}

Bytes phone_info_answer(const PhoneContext& phone) {
  // Three bytes "ID=" put the text at character 11 once the 00 bytes are taken out.
  return answer_packet(kPhoneInfo, "ID=" + info_text(phone.options()) + '\0');
}

Bytes root_list_answer(const PhoneContext& phone) {
  Bytes data;
  std::string names;
  unsigned count = 0;
  for (const auto& folder : phone.folder_names()) {
    if (folder == "Java") continue;  // the client adds it itself
    names += "/" + folder + ":";
    ++count;
  }
  put_byte(data, count);
  data += "Phone:" + names;  // the first folder name lands on character 17 without the 00 bytes
  data.push_back('\0');
  return answer_packet(kRootList, data);
}

// The folder "Java" shows each installed application as two entries, its .jad and its
// .jar; the phone's own files beside them (manifests and the like) are not listed.
bool listed(const std::string& folder, const std::filesystem::path& file) {
  if (folder != "Java") return true;
  const auto ext = file.extension();
  return ext == ".jad" || ext == ".jar";
}

std::vector<std::string> entries_of(const std::string& folder_name, const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.is_regular_file(ec) && listed(folder_name, entry.path()))
      names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool holds_marker_byte(std::string_view packet) {
  for (std::size_t i : {1, 2, 4, 5})
    if (byte_at(packet, i) == 'X') return true;
  return false;
}

Bytes listing_answer(const PhoneContext& phone, const std::string& folder_name, const std::filesystem::path& folder) {
  std::string joined;
  for (const auto& name : entries_of(folder_name, folder)) joined += (joined.empty() ? "" : ":") + name;
  Bytes data;
  data += std::string("\0\0\x3F\0", 4);  // the folder attributes the request asked for
  data.append(kEntriesOffset - 1 - kAnswerDataOffset - data.size(), '\0');
  data.push_back('/');  // offset 24: the folder's own root
  if (phone.family() == Family::u813) {
    data += utf16le(joined);
    data.append(2, '\0');
  } else {
    data += joined;
    data.push_back('\0');
  }
  Bytes packet = answer_packet(kListing, data);
  // The client looks for its marker from the second byte on: keep an "X" out of the length
  // fields by a trailing 00, which it drops.
  while (holds_marker_byte(packet)) {
    packet.push_back('\0');
    set_be16(packet, 1, static_cast<unsigned>(packet.size()));
    set_be16(packet, 4, static_cast<unsigned>(packet.size() - 3));
  }
  return packet;
}

class SessionService final : public Service {
 public:
  std::optional<Bytes> handle_at(std::string_view line, PhoneContext& phone) override {
    const std::string_view command = trim_line_end(line);
    const std::string echo = std::string(command) + "\r\r\n";
    if (command == "AT+CGSN") return echo + phone.options().imei + "\r\n\r\nOK\r\n";
    if (command == "AT*EOBEX") return echo + "CONNECT\r\n";
    return echo + "ERROR\r\n";
  }

  std::optional<Bytes> handle(const Request& request, PhoneContext& phone) override {
    if (request.opcode == 0x80) {
      // CONNECT: version 1.0, no flags, packets of up to 1024 bytes.
      return obex_response(kSuccess, std::string("\x10\x00\x04\x00", 4));
    }
    if (request.opcode != 0x83 || request.header_id != 0x70 || !request.command_frame) return std::nullopt;
    switch (request.command) {
      case kSessionOpen:
      case kDisconnect:
      case kKeepAlive:
      case kPhoneInfo:
      case kCommand2081:
      case kRootList:
      case kListing:
        break;
      default:
        return std::nullopt;
    }
    // The body length counts the unescaped bytes from the second FF to the end.
    if (request.body_length != request.content.size() - 1) {
      phone.log("!! body length " + std::to_string(request.body_length) + " does not match the frame, not answered");
      return Bytes{};
    }
    switch (request.command) {
      case kPhoneInfo:
        return phone_info_answer(phone);
      case kRootList:
        return root_list_answer(phone);
      case kListing:
        return listing(request, phone);
      default:
        return obex_response();
    }
  }

 private:
  static Bytes listing(const Request& request, PhoneContext& phone) {
    // Payload: 00 00 3F 00, a name-length byte, the name, 00 00.
    if (request.payload.size() < 5) {
      phone.log("!! listing request without a folder name, not answered");
      return {};
    }
    const std::string name = phone.decode_name(std::string_view(request.payload).substr(5));
    const auto& folders = phone.folder_names();
    const auto path = phone.resolve(name, "");
    if (std::find(folders.begin(), folders.end(), name) == folders.end() || !path) {
      phone.log("!! no folder \"" + name + "\"");
      return obex_response(kNotFound);
    }
    return listing_answer(phone, name, *path);
  }
};

}  // namespace

std::unique_ptr<Service> make_session_service() { return std::make_unique<SessionService>(); }

}  // namespace lg81xx::sim
