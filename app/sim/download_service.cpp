// The phone's sending side: GET 20 86 opens a file of its storage and brings the first
// block; each empty acknowledgement frame brings the next block; after every four of
// those the client sends a continuation request 20 A0, which is checked and answered
// with a block too. Layouts in docs/virtual-phone.md, "Downloads".
#include "base/hex_codec.h"
#include "link/escaping.h"
#include "link/request_frame.h"
#include "phone/frames/commands.h"
#include "replies.h"
#include "storage_files.h"
#include "virtual_phone.h"

namespace lg81xx::sim {
namespace {

// The message-tone probe takes only a GET reply beginning A0 00 as acceptance, so that
// reply stays below 256 bytes. Later replies fill the packet size the client announced
// at CONNECT (1024), which keeps every block but the last at 960 bytes or more.
constexpr std::size_t kGetReplyMax = 255;
constexpr std::size_t kReplyMax = 1024;
constexpr int kAcksPerContinuation = 4;

// Room for data in a reply of at most `max` bytes whose head takes `head` bytes and
// whose final 7E takes one; a request with very long names still gets some data along.
std::size_t data_room(std::size_t head, std::size_t max, std::size_t least) {
  const std::size_t room = head + 1 < max ? max - head - 1 : 0;
  return room > least ? room : least;
}

// A0, total length, 70, header length, the rest, as one response.
Bytes response(const Bytes& rest) {
  Bytes out;
  out.reserve(rest.size() + 6);
  for (unsigned b : {0xA0u, 0x00u, 0x00u, 0x70u, 0x00u, 0x00u}) put_byte(out, b);  // lengths below
  out += rest;
  set_be16(out, 1, static_cast<unsigned>(out.size()));
  set_be16(out, 4, static_cast<unsigned>(out.size() - 3));
  return out;
}

// Escapes content from `from` until `limit` output bytes; an escape pair is never split.
// Returns the escaped block and advances `from` past the bytes taken.
Bytes take_block(const Bytes& content, std::size_t& from, std::size_t limit) {
  Bytes out;
  while (from < content.size()) {
    const std::uint8_t b = byte_at(content, from);
    const std::size_t need = is_reserved(b) ? 2 : 1;
    if (out.size() + need > limit) break;
    if (need == 2) {
      put_byte(out, 0x7D);
      put_byte(out, b ^ 0x20u);
    } else {
      put_byte(out, b);
    }
    ++from;
  }
  return out;
}

// The name fields as they arrived: the names' bytes without their terminators.
struct NameFields {
  std::string_view folder;
  std::string_view file;
  NameForm form;
};

// The name fields: characters + 1, the folder (UTF-16LE with 00 00, or 8-bit with 00),
// characters + 1, the file in the same form, and nothing after them. The family's form is
// tried first; the other one is accepted too, since the read probe sends UTF-16LE names
// to every model.
std::optional<NameFields> parse_names(std::string_view payload, const PhoneContext& phone) {
  const NameForm family_form = phone.name_form();
  const NameForm other_form = family_form == NameForm::utf16le ? NameForm::windows1252 : NameForm::utf16le;
  if (payload.empty()) return std::nullopt;
  for (const NameForm form : {family_form, other_form}) {
    const std::size_t w = unit_size(form);
    const std::size_t folder_end = 1 + w * byte_at(payload, 0);
    if (folder_end >= payload.size()) continue;
    const std::size_t end = folder_end + 1 + w * byte_at(payload, folder_end);
    if (end != payload.size()) continue;
    const auto folder = name_in_field(payload.substr(1, folder_end - 1), form);
    const auto file = name_in_field(payload.substr(folder_end + 1, end - folder_end - 1), form);
    if (folder && file && !folder->empty() && !file->empty()) return NameFields{*folder, *file, form};
  }
  return std::nullopt;
}

class DownloadService final : public Service {
 public:
  std::optional<Bytes> handle(const Request& request, PhoneContext& phone) override {
    if (request.opcode == 0x83 && !request.command_frame && request.content == "\xFF") return next_block(phone);
    if (!request.command_frame) return std::nullopt;
    if (request.command == commands::kGet) return open(request, phone);
    if (request.command == commands::kContinue) return resume(request, phone);
    return std::nullopt;
  }

 private:
  struct OpenFile {
    Bytes names;  // the request's name fields, which a continuation repeats
    Bytes content;
    std::size_t sent = 0;
    std::uint32_t next_block = 1;  // counter the next continuation must carry
    int acks = 0;                  // acknowledgements since the GET or the last continuation
  };

  static bool well_formed(const Request& request, PhoneContext& phone) {
    if (request.opcode != 0x83 || request.header_id != 0x70) {
      phone.log("!! download request without GET 83 / header 70");
      return false;
    }
    if (request.body_length != request.content.size() - 1) {
      phone.log("!! body length " + std::to_string(request.body_length) + ", frame holds " +
                std::to_string(request.content.size() - 1));
      return false;
    }
    return true;
  }

  Bytes open(const Request& request, PhoneContext& phone) {
    file_.reset();
    if (!well_formed(request, phone)) return {};
    const auto names = parse_names(request.payload, phone);
    if (!names) {
      phone.log("!! GET with malformed name fields, not answered");
      return {};
    }
    if (phone.busy(Exchange::download_get)) return busy_reply_for(Exchange::download_get);
    const auto folder = decode_name(names->folder, names->form);
    const auto name = decode_name(names->file, names->form);
    if (!folder || !name) {
      phone.log("no such file: a name the phone cannot hold, " + bin_to_hex(names->folder) + " / " +
                bin_to_hex(names->file));
      return kNoSuchFile;
    }
    const auto path = phone.resolve(*folder, *name);
    const auto content = path ? load_file(phone.options().storage, *path) : std::nullopt;
    if (!content) {
      phone.log("no such file: " + *folder + "/" + *name);
      return kNoSuchFile;
    }
    phone.log("sending " + *folder + "/" + *name + " (" + std::to_string(content->size()) + " bytes)");

    OpenFile file{request.payload, *content};
    // The request's own frame comes back, so that the size stands where its 7E stood
    // (offset L - 1); zero padding up to L + 6; a block mark at L + 7; data from L + 11.
    const Bytes& wire = request.wire;
    Bytes rest = wire.substr(6, wire.size() - 7);
    Bytes size_field;
    append_le32(size_field, static_cast<std::uint32_t>(file.content.size()));
    const Bytes size_wire = escaped(size_field);
    rest += size_wire;
    rest += Bytes(8 - size_wire.size(), '\0');
    append_le32(rest, 1);
    const std::size_t head = 6 + rest.size();
    rest += take_block(file.content, file.sent, data_room(head, kGetReplyMax, 0));
    put_byte(rest, 0x7E);
    keep_or_close(std::move(file), phone);
    return response(rest);
  }

  Bytes next_block(PhoneContext& phone) {
    if (!file_) {
      phone.log("!! block asked for with no download open: refused");
      return kBlockRefused;
    }
    if (file_->acks == kAcksPerContinuation) {
      phone.log("!! fifth acknowledgement without a continuation request: refused");
      file_.reset();
      return kBlockRefused;
    }
    ++file_->acks;
    Bytes rest = "\xFF";
    rest += take_block(file_->content, file_->sent, kReplyMax - 8);
    put_byte(rest, 0x7E);
    keep_or_close(std::move(*file_), phone);
    return response(rest);
  }

  Bytes resume(const Request& request, PhoneContext& phone) {
    if (!well_formed(request, phone)) return {};
    std::string why;
    if (!file_) {
      why = "no download open";
    } else if (file_->acks != kAcksPerContinuation) {
      why = "after " + std::to_string(file_->acks) + " acknowledgements instead of 4";
    } else if (request.payload.size() != file_->names.size() + 12 ||
               request.payload.compare(0, file_->names.size(), file_->names) != 0) {
      why = "names differ from the GET request";
    } else {
      const std::size_t at = file_->names.size();
      const std::uint32_t size = get_le32(request.payload, at);
      const std::uint32_t received = get_le32(request.payload, at + 4);
      const std::uint32_t block = get_le32(request.payload, at + 8);
      if (size != file_->content.size())
        why = "size " + std::to_string(size) + " instead of " + std::to_string(file_->content.size());
      else if (received != file_->sent)
        why = "received " + std::to_string(received) + " instead of " + std::to_string(file_->sent);
      else if (block != file_->next_block)
        why = "block " + std::to_string(block) + " instead of " + std::to_string(file_->next_block);
    }
    if (!why.empty()) {
      phone.log("!! continuation refused: " + why);
      file_.reset();
      return kBlockRefused;
    }
    file_->acks = 0;
    ++file_->next_block;
    // The request comes back without its 7E, then one 00: the data starts at offset Lc,
    // the request's own length.
    const Bytes& wire = request.wire;
    Bytes rest = wire.substr(6, wire.size() - 7);
    put_byte(rest, 0x00);
    const std::size_t head = 6 + rest.size();
    rest += take_block(file_->content, file_->sent, data_room(head, kReplyMax, 64));
    put_byte(rest, 0x7E);
    keep_or_close(std::move(*file_), phone);
    return response(rest);
  }

  // The download stays open until its last byte has gone out.
  void keep_or_close(OpenFile file, PhoneContext& phone) {
    if (file.sent < file.content.size()) {
      file_ = std::move(file);
      return;
    }
    phone.log("download complete");
    file_.reset();
  }

  std::optional<OpenFile> file_;
};

}  // namespace

std::unique_ptr<Service> make_download_service() { return std::make_unique<DownloadService>(); }

}  // namespace lg81xx::sim
