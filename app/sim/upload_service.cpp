// The phone's receiving side: write commands (20 05 for a block that more blocks follow,
// 20 85 for the last block of a file) and their continuation frames, reassembled into the
// file, which is stored when the final frame of the transfer arrives. Every valid wire
// frame is acknowledged with A0 00 03; anything inconsistent gets no answer and ends the
// transfer. Also the install's requests on the folder "Java" (20 88) and on its
// contentInfo and pushlist files (20 89).
#include <algorithm>
#include <cstdint>

#include "base/hex_codec.h"
#include "link/request_frame.h"
#include "phone/frames/commands.h"
#include "phone/wire_names.h"
#include "storage_files.h"
#include "virtual_phone.h"

namespace lg81xx::sim {
namespace {

constexpr std::size_t kLongestFrame = 964;  // 963, or one more for a completed escape pair
constexpr unsigned kLongestBlock = 4096;
constexpr std::size_t kBlockHead = 8;  // second FF, command, sequence, 00 00, block length

const Bytes kAck("\xA0\x00\x03", 3);  // OBEX success, packet length 3

// A block's first frame, taken apart.
struct BlockStart {
  Bytes folder_raw, file_raw;
  std::string folder, file;
  std::uint32_t size = 0, offset = 0, number = 0;
  Bytes data;
};

struct Transfer {
  BlockStart first;  // names and size as the first block gave them
  std::filesystem::path target;
  Bytes data;  // the file so far
  std::uint32_t block_number = 0;
  unsigned block_length = 0;    // of the current block, counted from its second FF
  unsigned block_received = 0;  // of the current block so far, same count
  bool last_block = false;
  bool block_closable = false;  // complete; one empty frame may still close it

  bool mid_block() const { return block_received < block_length; }
};

// A name field (name and terminator) decoded; nothing, with `why` set, when the field is
// not one name and its terminator or the name does not convert exactly.
std::optional<std::string> name_of(const Bytes& field, NameForm form, std::string& why) {
  const auto bytes = name_in_field(field, form);
  if (!bytes) {
    why = "name length byte or terminator wrong";
    return std::nullopt;
  }
  auto name = decode_name(*bytes, form);
  if (!name) why = "a name the phone cannot hold: " + bin_to_hex(*bytes);
  return name;
}

bool frame_kind_consistent(const Request& r) {
  return (r.opcode == 0x83 && r.header_id == 0x70) || (r.opcode == 0x82 && r.header_id == 0x49);
}

class UploadService final : public Service {
 public:
  std::optional<Bytes> handle(const Request& r, PhoneContext& phone) override {
    if (r.opcode != 0x82 && r.opcode != 0x83) return std::nullopt;
    if (transfer_ && transfer_->mid_block()) {
      if (!looks_like_other_request(r)) return continuation(r, phone);
      phone.log("!! upload abandoned by a new request");
      transfer_.reset();
    }
    if (r.command_frame && (r.command == commands::kUploadBlock || r.command == commands::kUploadLastBlock))
      return block_start(r, phone);
    if (transfer_ && r.content.size() == 1) return closing(r, phone);
    if (r.command_frame && (r.command == commands::kInstallFolder || r.command == commands::kInstallName))
      return java_request(r, phone);
    return std::nullopt;
  }

 private:
  // A complete command frame of another kind: its body length counts exactly its content.
  static bool looks_like_other_request(const Request& r) {
    return r.command_frame && r.command != commands::kUploadBlock && r.command != commands::kUploadLastBlock &&
           r.body_length + 1 == r.content.size();
  }

  Bytes refuse(PhoneContext& phone, const std::string& why) {
    phone.log("!! upload refused, not answered: " + why);
    transfer_.reset();
    return {};
  }

  static std::optional<BlockStart> parse_block_start(const Request& r, NameForm form, std::string& why) {
    const Bytes& p = r.payload;
    BlockStart b;
    std::size_t at = 0;
    for (auto* raw : {&b.folder_raw, &b.file_raw}) {
      if (at >= p.size()) {
        why = "names cut short";
        return std::nullopt;
      }
      const std::size_t n = byte_at(p, at) * unit_size(form);  // the length byte counts units
      if (at + 1 + n > p.size()) {
        why = "name longer than the frame";
        return std::nullopt;
      }
      *raw = p.substr(at + 1, n);
      at += 1 + n;
    }
    if (at + 12 > p.size()) {
      why = "size, offset and block number cut short";
      return std::nullopt;
    }
    b.size = get_le32(p, at);
    b.offset = get_le32(p, at + 4);
    b.number = get_le32(p, at + 8);
    b.data = p.substr(at + 12);
    return b;
  }

  Bytes block_start(const Request& r, PhoneContext& phone) {
    const Family family = phone.family();
    if (family == Family::none) return refuse(phone, "no model family");
    if (!frame_kind_consistent(r)) return refuse(phone, "operation code and header id disagree");
    if (r.wire.size() > kLongestFrame) return refuse(phone, "frame too long");
    std::string why;
    auto b = parse_block_start(r, phone.name_form(), why);
    if (!b) return refuse(phone, why);
    const auto folder = name_of(b->folder_raw, phone.name_form(), why);
    const auto file = folder ? name_of(b->file_raw, phone.name_form(), why) : std::nullopt;
    if (!file) return refuse(phone, why);
    b->folder = *folder;
    b->file = *file;

    if (b->number == 1) {
      transfer_.reset();
      if (phone.busy(Exchange::upload)) return busy_reply_for(Exchange::upload);
      const auto folders = phone.folder_names();
      if (std::find(folders.begin(), folders.end(), b->folder) == folders.end())
        return refuse(phone, "no folder " + b->folder);
      const auto target = phone.resolve(b->folder, b->file);
      if (!target) return refuse(phone, "name leaves the storage: " + b->file);
      if (!can_store(phone.options().storage, *target, why)) return refuse(phone, why);
      if (b->size == 0) return refuse(phone, "file size 0");
      transfer_ = Transfer{*b, *target, {}, 0, 0, 0, false, false};
      // The announced size is the client's word: reserve no more than a phone file takes.
      transfer_->data.reserve(std::min<std::size_t>(b->size, std::size_t{1} << 20));
    } else if (!transfer_ || transfer_->mid_block()) {
      return refuse(phone, "block " + std::to_string(b->number) + " without the blocks before it");
    }
    Transfer& t = *transfer_;
    if (b->number != t.block_number + 1) return refuse(phone, "block number out of order");
    if (b->folder_raw != t.first.folder_raw || b->file_raw != t.first.file_raw || b->size != t.first.size)
      return refuse(phone, "names or file size changed between blocks");
    if (b->offset != t.data.size()) return refuse(phone, "block offset does not follow the data received");

    const unsigned length = r.body_length;
    const std::size_t head = kBlockHead + r.payload.size() - b->data.size();
    if (length > kLongestBlock || length <= head) return refuse(phone, "block length out of range");
    const std::size_t block_data = length - head;
    const bool last = r.command == commands::kUploadLastBlock;
    if (last != (b->offset + block_data == b->size) || b->offset + block_data > b->size)
      return refuse(phone, "block length disagrees with the file size");

    t.block_number = b->number;
    t.block_length = length;
    t.block_received = 0;
    t.last_block = last;
    t.block_closable = false;
    return take_data(r, b->data, static_cast<unsigned>(r.content.size() - 1), phone);
  }

  Bytes continuation(const Request& r, PhoneContext& phone) {
    if (!frame_kind_consistent(r)) return refuse(phone, "operation code and header id disagree");
    if (r.wire.size() > kLongestFrame) return refuse(phone, "frame too long");
    if (r.content.size() <= 1) return refuse(phone, "empty frame inside a block");
    const Bytes data = r.content.substr(1);
    return take_data(r, data, static_cast<unsigned>(data.size()), phone);
  }

  // The empty frame that closes a block whose data filled the frames before it.
  Bytes closing(const Request& r, PhoneContext& phone) {
    if (!frame_kind_consistent(r)) return refuse(phone, "operation code and header id disagree");
    Transfer& t = *transfer_;
    if (!t.block_closable) return refuse(phone, "empty frame where none may stand");
    if ((r.opcode == 0x83) != t.last_block) return refuse(phone, "closing frame of the wrong kind");
    t.block_closable = false;
    if (r.opcode == 0x83) return store(phone);
    return kAck;
  }

  // Adds a frame's data to the current block; `counted` is what the frame adds to the
  // block length.
  Bytes take_data(const Request& r, const Bytes& data, unsigned counted, PhoneContext& phone) {
    Transfer& t = *transfer_;
    if (t.block_received + counted > t.block_length) return refuse(phone, "more data than the block length");
    t.block_received += counted;
    t.data += data;
    const bool final = r.opcode == 0x83;
    if (t.mid_block()) {
      if (final) return refuse(phone, "final frame before the end of the block");
      return kAck;
    }
    if (final) {
      if (!t.last_block) return refuse(phone, "final frame in a block that more blocks follow");
      return store(phone);
    }
    t.block_closable = true;
    return kAck;
  }

  Bytes store(PhoneContext& phone) {
    Transfer& t = *transfer_;
    if (t.data.size() != t.first.size) return refuse(phone, "file shorter than its size");
    if (std::string why; !store_file(phone.options().storage, t.target, t.data, why)) return refuse(phone, why);
    phone.log("stored " + t.first.folder + "/" + t.first.file + " (" + std::to_string(t.data.size()) + " bytes)");
    transfer_.reset();
    return kAck;
  }

  Bytes java_request(const Request& r, PhoneContext& phone) {
    if (r.opcode != 0x83 || r.header_id != 0x70) return refuse(phone, "request is not a GET");
    if (r.body_length + 1 != r.content.size()) return refuse(phone, "body length does not match the request");
    return kAck;
  }

  std::optional<Transfer> transfer_;
};

}  // namespace

std::unique_ptr<Service> make_upload_service() { return std::make_unique<UploadService>(); }

}  // namespace lg81xx::sim
