#include "phone/trace/session_reader.h"

#include <algorithm>
#include <cstdio>

#include "base/hex_codec.h"
#include "base/text_encoding.h"
#include "link/escaping.h"
#include "link/request_frame.h"
#include "link/wait_policy.h"
#include "phone/frames/commands.h"
#include "phone/frames/download_replies.h"
#include "phone/frames/download_requests.h"
#include "phone/frames/listing_frames.h"
#include "phone/frames/root_folders.h"
#include "phone/wire_names.h"

namespace lg81xx {
namespace {

// Commands of the phone's frames, besides the download's (download_requests.h).

constexpr std::uint8_t kObexConnect = 0x80;
constexpr std::uint8_t kFrameEnd = 0x7E;
// Every upload frame that does not end its block is this long (one more when it takes
// the partner of an escape pair); a shorter one is its block's last.
constexpr std::size_t kFullUploadFrame = 963;
// The listing request's payload: 00 00 3F 00, the name-length byte, the name, 00 00.
constexpr std::size_t kListingNameAt = 5;
// An acknowledgement reply's block data follows A0, length, 70, header length and FF.
constexpr std::size_t kBlockDataAt = 7;
// The information text starts at character 12 of the answer without its 00 bytes.
constexpr std::size_t kInformationAt = 11;
constexpr std::size_t kImeiDigits = 15;
// Of bytes of no known shape during a download, this many are shown, the rest hidden.
constexpr std::size_t kUnknownShown = 3;

std::string hex_text(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) out += (i ? " " : "") + hex2(byte_at(bytes, i));
  return out;
}

std::string seq_text(unsigned seq) { return "seq " + hex2(seq); }

// A whole command frame of another kind where a block's next frame was due (the
// disconnect of a cancelled upload), read as that command, not as the block's data: after
// its second FF, the command, the sequence, 00 00 and a body length that counts exactly
// its own unescaped bytes.
bool is_other_command(std::string_view frame) {
  if (frame.size() < 9) return false;
  const Bytes body = unescaped(frame.substr(7, frame.size() - 8));
  if (body.size() < 8 || byte_at(body, 0) != 0xFF) return false;
  const unsigned command = byte_at(body, 1) << 8 | byte_at(body, 2);
  return command != commands::kUploadBlock && command != commands::kUploadLastBlock &&
         static_cast<std::size_t>(byte_at(body, 6) | byte_at(body, 7) << 8) == body.size();
}

// Text for a person, one line: controls and a backslash escaped, bytes that are not
// UTF-8 as \xHH.
std::string shown(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = first_character(text.substr(i));
    char escape[12];
    if (!c) {
      std::snprintf(escape, sizeof escape, "\\x%02X", byte_at(text, i));
      out += escape;
      ++i;
      continue;
    }
    if (c->code_point == '\\') {
      out += "\\\\";
    } else if (c->code_point < 0x20 || c->code_point == 0x7F) {
      std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(c->code_point));
      out += escape;
    } else if (is_control_character(c->code_point)) {
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c->code_point));
      out += escape;
    } else {
      out += text.substr(i, c->size);
    }
    i += c->size;
  }
  return out;
}

// A list of names: each in quotes when it would not read as one item otherwise.
std::string name_list(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& name : names) {
    const std::string text = shown(name);
    const bool quote =
        text.empty() || text.front() == ' ' || text.back() == ' ' || text.find_first_of(",\"") != std::string::npos;
    std::string quoted;
    for (const char c : text) quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
    out += (out.empty() ? "" : ", ") + (quote ? "\"" + quoted + "\"" : text);
  }
  return out;
}

// The bytes of a frame from `at` up to its final 7E, read with escapes undone.
class WireCursor {
 public:
  WireCursor(std::string_view frame, std::size_t at)
      : frame_(frame),
        at_(at),
        end_(!frame.empty() && byte_at(frame, frame.size() - 1) == kFrameEnd ? frame.size() - 1 : frame.size()) {}

  std::optional<std::uint8_t> next() {
    if (at_ >= end_) return std::nullopt;
    std::uint8_t b = byte_at(frame_, at_++);
    if (b == 0x7D && at_ < end_) b = byte_at(frame_, at_++) | 0x20u;
    return b;
  }
  std::optional<Bytes> take(std::size_t count) {
    Bytes out;
    while (out.size() < count) {
      const auto b = next();
      if (!b) return std::nullopt;
      put_byte(out, *b);
    }
    return out;
  }
  std::optional<std::uint32_t> le(std::size_t width) {
    const auto bytes = take(width);
    if (!bytes) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = value << 8 | byte_at(*bytes, i);
    return value;
  }
  Bytes rest() const { return unescaped(frame_.substr(at_, end_ - at_)); }
  // The wire bytes from here to the final 7E.
  ByteSpan rest_span() const { return {at_, end_ - at_}; }

 private:
  std::string_view frame_;
  std::size_t at_;
  std::size_t end_;
};

// Whether `wire` is a whole name of its form: its terminator last, and none before.
bool is_terminated(std::string_view wire, bool wide) {
  const std::size_t unit = wide ? 2 : 1;
  if (wire.size() < unit) return false;
  for (std::size_t i = 0; i < wire.size(); i += unit)
    if (wire.substr(i, unit).find_first_not_of('\0') == std::string_view::npos) return i + unit == wire.size();
  return false;
}

// A name in a transfer request: its length byte (characters with the terminator), then
// the name and its terminator, two bytes a character on the U813 family. The family's
// form is taken when the name reads whole in it, else the other one (the read probe
// sends UTF-16LE names to every model).
std::optional<std::string> read_name_field(WireCursor& cursor, Family family) {
  const auto characters = cursor.next();
  if (!characters) return std::nullopt;
  const bool wide_family = family == Family::u813;
  WireCursor other = cursor;
  const auto wire = cursor.take(wide_family ? 2u * *characters : *characters);
  if (wire && is_terminated(*wire, wide_family)) return text_from_wire(family, *wire);
  const auto other_wire = other.take(wide_family ? *characters : 2u * *characters);
  if (other_wire && is_terminated(*other_wire, !wide_family)) {
    cursor = other;
    return text_from_wire(wide_family ? Family::u811_u812 : Family::u813, *other_wire);
  }
  if (!wire) return std::nullopt;
  return text_from_wire(family, *wire);
}

std::optional<std::string> read_object(WireCursor& cursor, Family family) {
  const auto folder = read_name_field(cursor, family);
  if (!folder) return std::nullopt;
  const auto file = read_name_field(cursor, family);
  if (!file) return std::nullopt;
  return shown(*folder + "/" + *file);
}

bool is_text(std::string_view bytes) {
  return !bytes.empty() && std::all_of(bytes.begin(), bytes.end(), [](char c) {
    return c == '\r' || c == '\n' || c == '\0' || (c >= 0x20 && c < 0x7F);
  });
}

std::vector<std::string> text_lines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (const char c : bytes) {
    if (c == '\r' || c == '\n') {
      if (!line.empty()) lines.push_back(std::move(line));
      line.clear();
    } else if (c != '\0') {
      line.push_back(c);
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

// An IMEI as the phone gives it, or as a report shows it with its digits hidden.
bool looks_like_imei(std::string_view line) {
  return line.size() == kImeiDigits &&
         std::all_of(line.begin(), line.end(), [](char c) { return (c >= '0' && c <= '9') || c == '*'; });
}

std::string reply_code_text(std::string_view reply) {
  if (reply.starts_with(std::string_view("\x49\x00\x0F", 3))) return "49 00 0F no such file";
  const std::string code = hex2(byte_at(reply, 0));
  switch (code_of(reply, Framing::obex)) {
    case ReplyCode::success: return code + " ok";
    case ReplyCode::more: return code + " continue";
    case ReplyCode::busy: return code + " busy";
    case ReplyCode::refused: return code + " refused";
    case ReplyCode::unexpected: break;
  }
  return "unknown: " + hex_text(reply);
}

bool is_obex_reply(std::string_view bytes) { return announced_length(bytes).has_value(); }

}  // namespace

FrameReading SessionReader::read(const TraceRecord& record) {
  if (record.direction == Direction::note) {
    FrameReading note;
    note.what = record.bytes;
    return note;
  }
  if (record.direction == Direction::sent) return read_request(record);
  FrameReading reading = read_reply(record);
  if (record.direction == Direction::dropped) reading.what = "dropped: " + reading.what;
  return reading;
}

FrameReading SessionReader::read_request(const TraceRecord& record) {
  const std::string_view frame = record.bytes;
  if (frame.starts_with("AT") && is_text(frame)) {
    const auto lines = text_lines(frame);
    at_command_ = lines.empty() ? std::string{} : lines.front();
    awaiting_ = Awaiting::at_answer;
    return {shown(at_command_), {}, {}};
  }
  if (frame.size() >= 7 && byte_at(frame, 0) == kObexConnect) {
    awaiting_ = Awaiting::connect;
    std::string what = "OBEX CONNECT";
    // Its Who header (4A, a 2-byte length, the text) names the client.
    if (frame.size() > 10 && byte_at(frame, 7) == 0x4A) {
      const std::size_t length = get_be16(frame, 8);
      if (length >= 3 && 7 + length <= frame.size())
        what += " as \"" + shown(without_nuls(frame.substr(10, length - 3))) + "\"";
    }
    return {what, {}, {}};
  }
  const bool framed = frame.size() >= 8 && (byte_at(frame, 0) == 0x82 || byte_at(frame, 0) == 0x83) &&
                      (byte_at(frame, 3) == 0x49 || byte_at(frame, 3) == 0x70) && byte_at(frame, 6) == 0xFF;
  if (!framed) {
    awaiting_ = Awaiting::nothing;
    return {"unknown: " + hex_text(frame), {}, {}};
  }
  if (block_open_ && is_other_command(frame)) block_open_ = false;
  FrameReading reading = block_open_ ? read_upload_continuation(frame) : read_command(frame);
  if (get_be16(frame, 1) != frame.size())
    reading.what += " (its length says " + std::to_string(get_be16(frame, 1)) + ")";
  if (!record.hidden.empty()) reading.what += " (file data hidden)";
  return reading;
}

FrameReading SessionReader::read_command(std::string_view frame) {
  if (frame.size() == 8) {  // FF and the 7E: the acknowledgement that asks for the next block
    awaiting_ = Awaiting::block;
    data_at_ = kBlockDataAt;
    return {"next block", {}, {}};
  }
  WireCursor cursor(frame, 7);
  const auto head = cursor.take(7);  // FF, command, sequence, 00 00, and the body length's first byte
  if (!head || byte_at(*head, 0) != 0xFF || !cursor.next()) {
    awaiting_ = Awaiting::nothing;
    return {"unknown: " + hex_text(frame), {}, {}};
  }
  const unsigned command = byte_at(*head, 1) << 8 | byte_at(*head, 2);
  const unsigned seq = byte_at(*head, 3);
  const std::string at_seq = " " + seq_text(seq);
  awaiting_ = Awaiting::plain;
  // Between the blocks of a download only its own requests and keep-alives go.
  if (command != commands::kContinue && command != commands::kKeepAlive) downloading_ = false;
  switch (command) {
    case commands::kSessionOpen: return {"session open" + at_seq, {}, {}};
    case commands::kDisconnect: return {"disconnect" + at_seq, {}, {}};
    case commands::kKeepAlive: return {"keep-alive" + at_seq, {}, {}};
    case commands::kInformation: awaiting_ = Awaiting::information; return {"information request" + at_seq, {}, {}};
    case commands::kRootFolders: awaiting_ = Awaiting::root_folders; return {"root folders request" + at_seq, {}, {}};
    case commands::kListing: {
      const Bytes payload = cursor.rest();
      const std::size_t end = payload.size() >= kListingNameAt + 2 ? payload.size() - 2 : payload.size();
      object_ = shown(
          text_from_wire(family_, payload.substr(std::min(kListingNameAt, end), end - std::min(kListingNameAt, end))));
      awaiting_ = Awaiting::listing;
      return {"listing " + object_ + at_seq, {}, {}};
    }
    case commands::kGet:
    case commands::kContinue: {
      const auto object = read_object(cursor, family_);
      if (!object) break;
      if (command == commands::kGet) {
        awaiting_ = Awaiting::first_block;
        request_length_ = frame.size();
        object_ = *object;
        return {"GET " + object_ + at_seq, {}, {}};
      }
      awaiting_ = Awaiting::block;
      data_at_ = frame.size();  // the reply repeats the request up to its 7E
      const auto size = cursor.le(4);
      const auto received = cursor.le(4);
      const auto number = cursor.le(4);
      if (!size || !received || !number) break;
      return {"continue " + *object + at_seq + ": " + std::to_string(*received) + " of " + std::to_string(*size) +
                  " bytes in, request " + std::to_string(*number),
              {},
              {}};
    }
    case commands::kUploadBlock:
    case commands::kUploadLastBlock: return read_upload_start(frame, command, seq);
    case commands::kInstallFolder: {
      // The folder's length byte, then its name with a single 00 after it, in either form.
      const Bytes payload = cursor.rest();
      if (payload.empty()) break;
      return {"install folder " + shown(text_from_wire(family_, payload.substr(1))) + at_seq, {}, {}};
    }
    case commands::kInstallName: {
      const auto folder = read_name_field(cursor, family_);
      if (!folder) break;
      const auto file = read_name_field(cursor, family_);
      if (!file) break;
      return {"install names " + shown(*folder + "/" + *file) + at_seq, {}, {}};
    }
    default: break;
  }
  awaiting_ = Awaiting::nothing;
  const Bytes payload = cursor.rest();
  return {"command " + hex2(command >> 8) + " " + hex2(command & 0xFF) + at_seq +
              (payload.empty() ? std::string{} : ", payload " + hex_text(payload)),
          {},
          {}};
}

FrameReading SessionReader::read_upload_start(std::string_view frame, unsigned command, unsigned seq) {
  WireCursor cursor(frame, 7);
  (void)cursor.take(8);  // FF, command, sequence, 00 00, block length
  const ByteSpan after_head = cursor.rest_span();
  const auto object = read_object(cursor, family_);
  const auto size = cursor.le(4);
  const auto offset = cursor.le(4);
  const auto number = cursor.le(4);
  if (!object || !size || !offset || !number) {  // all of it may be the file's
    awaiting_ = Awaiting::nothing;
    return {"upload " + seq_text(seq) + ", unreadable: " + hex_text(frame), {after_head}, {}};
  }
  object_ = *object;
  upload_block_ = *number;
  upload_ends_ = command == commands::kUploadLastBlock;
  block_open_ = frame.size() >= kFullUploadFrame;
  awaiting_ = Awaiting::plain;
  std::string what = "upload " + object_ + " block " + std::to_string(*number) + " " + seq_text(seq) + ", " +
                     std::to_string(frame.size()) + " bytes (file of " + std::to_string(*size) + ", from byte " +
                     std::to_string(*offset) + ")";
  if (!block_open_ && upload_ends_) what += ", last frame";
  return {what, {cursor.rest_span()}, {}};
}

FrameReading SessionReader::read_upload_continuation(std::string_view frame) {
  block_open_ = frame.size() >= kFullUploadFrame;
  awaiting_ = Awaiting::plain;
  std::string what =
      "upload " + object_ + " block " + std::to_string(upload_block_) + ", " + std::to_string(frame.size()) + " bytes";
  if (!block_open_ && upload_ends_) what += ", last frame";
  return {what, {WireCursor(frame, 7).rest_span()}, {}};
}

FrameReading SessionReader::read_reply(const TraceRecord& record) {
  const std::string_view reply = record.bytes;
  if (reply.empty()) return {"nothing", {}, {}};
  if (awaiting_ == Awaiting::at_answer || (!is_obex_reply(reply) && is_text(reply))) return read_at_answer(reply);
  if (!is_obex_reply(reply)) {
    FrameReading unknown{"unknown: ", {}, {}};
    // Bytes of no known shape while a file comes in may be a piece of it.
    if (downloading_ && reply.size() > kUnknownShown)
      unknown.file_data.push_back({kUnknownShown, reply.size() - kUnknownShown});
    if (record.hidden.empty()) return {unknown.what + hex_text(reply), unknown.file_data, {}};
    const std::size_t hidden_at = record.hidden.front().start;
    unknown.what += hex_text(reply.substr(0, hidden_at)) + (hidden_at > 0 ? " " : "") + "and " +
                    std::to_string(reply.size() - hidden_at) + " bytes hidden";
    return unknown;
  }

  FrameReading reading{reply_code_text(reply), {}, {}};
  const std::size_t announced = *announced_length(reply);
  const ReplyCode code = code_of(reply, Framing::obex);
  const Awaiting awaiting = awaiting_;
  awaiting_ = Awaiting::nothing;
  if (code == ReplyCode::success || code == ReplyCode::more) {
    switch (awaiting) {
      case Awaiting::connect:
        if (reply.size() >= 7)
          reading.what += ": OBEX " + std::to_string(byte_at(reply, 3) >> 4) + "." +
                          std::to_string(byte_at(reply, 3) & 0x0F) + ", packets up to " +
                          std::to_string(get_be16(reply, 5)) + " bytes";
        break;
      case Awaiting::information: {
        const std::string text = without_nuls(reply);
        reading.what +=
            ": information \"" + shown(text.size() > kInformationAt ? text.substr(kInformationAt) : "") + "\"";
        break;
      }
      case Awaiting::root_folders: reading.what += ": folders " + name_list(root_folders(reply)); break;
      case Awaiting::listing: {
        const auto rows = listing_rows(family_, reply);
        reading.what += ": " + object_ + (rows.empty() ? " is empty" : " holds " + name_list(rows));
        break;
      }
      case Awaiting::first_block:
      case Awaiting::block: {
        const bool first = awaiting == Awaiting::first_block;
        const std::size_t data_at = first ? first_block_data_offset(reply, request_length_) : data_at_;
        if (reply.size() <= kBlockDataAt + 1 || data_at >= reply.size()) break;  // a refusal of 5 bytes
        if (first) {
          announced_ = read_first_block(reply, request_length_).size;
          received_ = 0;
        }
        const WireCursor data(reply, data_at);
        reading.file_data.push_back(data.rest_span());
        if (!record.hidden.empty()) {  // its size on the line is all that is left of it
          reading.what += ": block of " + object_ + ", its data hidden";
          break;
        }
        const std::size_t bytes = data.rest().size();
        received_ += bytes;
        downloading_ = received_ < announced_;
        reading.what += ": " + block_text(bytes);
        break;
      }
      case Awaiting::nothing:
        // A block that came after its wait had ended.
        if (downloading_ && reply.size() > kBlockDataAt + 1)
          reading.file_data.push_back(WireCursor(reply, kBlockDataAt).rest_span());
        break;
      case Awaiting::at_answer:
      case Awaiting::plain: break;
    }
  }
  if (reply.size() > announced) {
    reading.what += ", then " + hex_text(reply.substr(announced));
  } else if (reply.size() < announced) {
    reading.what += ", cut short: " + std::to_string(reply.size()) + " of " + std::to_string(announced) + " bytes";
  }
  return reading;
}

std::string SessionReader::block_text(std::size_t bytes) {
  return std::to_string(bytes) + " bytes of " + object_ + ", " + std::to_string(received_) + " of " +
         std::to_string(announced_);
}

FrameReading SessionReader::read_at_answer(std::string_view bytes) {
  awaiting_ = Awaiting::nothing;
  FrameReading reading;
  std::string& what = reading.what;
  for (const auto& line : text_lines(bytes)) {
    what += what.empty() ? "" : ", ";
    if (!at_command_.empty() && line == at_command_) {
      what += "echo";
    } else if (looks_like_imei(line)) {
      what += "IMEI " + line;
      reading.imei = line;
    } else {
      what += name_list({line});
    }
  }
  if (what.empty()) what = "empty lines";
  return reading;
}

TraceFamily family_of_trace(const Trace& trace, std::optional<std::string> model) {
  if (model) return {family_of(*model), "the model " + *model};
  if (const auto named = heading_option(trace.heading, "--model"))
    return {family_of(*named), "--model \"" + *named + "\" in the trace's heading"};
  // The names the requests carry: UTF-16LE has a 00 after each of its first characters.
  for (const auto& record : trace.records) {
    const std::string_view frame = record.bytes;
    if (record.direction != Direction::sent || frame.size() < 20 || byte_at(frame, 0) != 0x83) continue;
    const Bytes inner = unescaped(frame.substr(7, frame.size() - 8));
    if (inner.size() < 12 || byte_at(inner, 0) != 0xFF) continue;
    const unsigned command = byte_at(inner, 1) << 8 | byte_at(inner, 2);
    std::size_t name_at = 0;
    if (command == commands::kListing) name_at = 8 + kListingNameAt;
    if (command == commands::kGet) name_at = 9;
    if (name_at == 0 || name_at + 1 >= inner.size()) continue;
    const bool wide = byte_at(inner, name_at) != 0 && byte_at(inner, name_at + 1) == 0;
    return {wide ? Family::u813 : Family::u811_u812, "the names in its requests"};
  }
  return {Family::none, "nothing in the trace"};
}

std::vector<ShownFrame> show_trace(const Trace& trace, Family family) {
  SessionReader reader(family);
  std::vector<ShownFrame> frames;
  frames.reserve(trace.records.size());
  for (const auto& record : trace.records)
    frames.push_back({record.time_ms, record.direction, reader.read(record).what});
  return frames;
}

std::string shown_line(const ShownFrame& frame) {
  std::string line = trace_line(frame.time_ms, frame.direction, {});
  return line + " " + frame.what;
}

}  // namespace lg81xx
