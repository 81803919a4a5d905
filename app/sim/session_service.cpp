// The session and listing side of the phone: the two AT commands, the OBEX CONNECT, the
// session commands, the root list, the folder listings, the keep-alive and the goodbye.
#include <algorithm>
#include <filesystem>

#include "base/hex_codec.h"
#include "link/request_frame.h"
#include "phone/frames/commands.h"
#include "phone/wire_names.h"
#include "replies.h"
#include "virtual_phone.h"

namespace lg81xx::sim {
namespace {

// The listing's entry names start here, right after the header.
constexpr std::size_t kEntriesOffset = 25;
// An answer's length is a 16-bit field.
constexpr std::size_t kLongestAnswer = 0xFFFF;

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
  return answer_packet(commands::kInformation, "ID=" + info_text(phone.options()) + '\0');
}

// The folder names go in the family's name form; the count byte and "Phone:" before them
// put the first name on character 17 once the 00 bytes are taken out.
Bytes root_list_answer(const PhoneContext& phone) {
  std::string names = "Phone:";
  unsigned count = 0;
  for (const auto& folder : phone.folder_names()) {
    if (folder == "Java") continue;  // the client adds it itself
    names += "/" + folder + ":";
    ++count;
  }
  Bytes data;
  put_byte(data, count);
  data += *text_in_form(names, phone.name_form()) + terminator(phone.name_form());
  return answer_packet(commands::kRootFolders, data);
}

// The folder "Java" shows each installed application as two entries, its .jad and its
// .jar; the phone's own files beside them (manifests and the like) are not listed.
bool listed(const std::string& folder, const std::filesystem::path& file) {
  if (folder != "Java") return true;
  const auto ext = file.extension();
  return ext == ".jad" || ext == ".jar";
}

// The regular files of the folder, sorted, in the phone's name form. A file whose name the
// phone could not hold is left out and logged.
std::vector<Bytes> entries_of(PhoneContext& phone, const std::string& folder_name,
                              const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.is_regular_file(ec) && listed(folder_name, entry.path()))
      names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  std::vector<Bytes> wire;
  for (const auto& name : names) {
    if (auto bytes = encode_name(name, phone.name_form())) {
      wire.push_back(std::move(*bytes));
    } else {
      phone.log("!! " + folder_name + "/" + name + " cannot be named on this phone: left out of the listing");
    }
  }
  return wire;
}

std::optional<Bytes> listing_answer(PhoneContext& phone, const std::string& folder_name,
                                    const std::filesystem::path& folder) {
  const NameForm form = phone.name_form();
  const Bytes separator = *text_in_form(":", form);
  Bytes joined;
  for (const auto& name : entries_of(phone, folder_name, folder)) joined += (joined.empty() ? "" : separator) + name;
  Bytes data;
  data += std::string("\0\0\x3F\0", 4);  // the folder attributes the request asked for
  data.append(kEntriesOffset - 1 - kAnswerDataOffset - data.size(), '\0');
  data.push_back('/');  // offset 24: the header ends with the folder's own root
  data += joined;
  data += terminator(form);
  if (kAnswerDataOffset + data.size() > kLongestAnswer) {
    phone.log("!! the listing of " + folder_name + " does not fit one answer, not answered");
    return std::nullopt;
  }
  return answer_packet(commands::kListing, data);
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
      case commands::kSessionOpen:
      case commands::kDisconnect:
      case commands::kKeepAlive:
      case commands::kInformation:
      case commands::kSessionStart:
      case commands::kRootFolders:
      case commands::kListing: break;
      default: return std::nullopt;
    }
    // The body length counts the unescaped bytes from the second FF to the end.
    if (request.body_length != request.content.size() - 1) {
      phone.log("!! body length " + std::to_string(request.body_length) + " does not match the frame, not answered");
      return Bytes{};
    }
    switch (request.command) {
      case commands::kInformation: return phone_info_answer(phone);
      case commands::kRootFolders: return root_list_answer(phone);
      case commands::kListing: return listing(request, phone);
      default: return obex_response();
    }
  }

 private:
  static Bytes listing(const Request& request, PhoneContext& phone) {
    // Payload: 00 00 3F 00, a name-length byte, the name, its terminator. The name is read
    // up to its terminator; the length byte is not relied on.
    const auto bytes = request.payload.size() < 5
                           ? std::nullopt
                           : name_up_to_terminator(std::string_view(request.payload).substr(5), phone.name_form());
    if (!bytes) {
      phone.log("!! listing request without a folder name, not answered");
      return {};
    }
    if (phone.busy(Exchange::listing)) return busy_reply_for(Exchange::listing);
    const auto name = decode_name(*bytes, phone.name_form());
    const auto& folders = phone.folder_names();
    if (!name || std::find(folders.begin(), folders.end(), *name) == folders.end()) {
      phone.log("!! no folder \"" + name.value_or(bin_to_hex(*bytes)) + "\"");
      return obex_response(kNotFound);
    }
    const auto path = phone.resolve(*name, "");
    const auto answer = path ? listing_answer(phone, *name, *path) : std::nullopt;
    return answer.value_or(Bytes{});
  }
};

}  // namespace

std::unique_ptr<Service> make_session_service() { return std::make_unique<SessionService>(); }

}  // namespace lg81xx::sim
