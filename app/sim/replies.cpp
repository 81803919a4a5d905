#include "replies.h"

#include "base/hex_codec.h"
#include "link/request_frame.h"

namespace lg81xx::sim {

const Bytes kNoSuchFile = hex_to_bin(
    "49000F70000CFF7DDF2086000100"
    "7E");
const Bytes kBlockRefused = hex_to_bin("C30005FF7E");
const Bytes kBusyDownload = hex_to_bin("D30005FF7E");

Bytes obex_response(unsigned code, std::string_view body) {
  Bytes out(3, '\0');
  out[0] = as_char(code);
  out += body;
  set_be16(out, 1, static_cast<unsigned>(out.size()));
  return out;
}

Bytes answer_packet(unsigned command, std::string_view data) {
  Bytes body;
  put_byte(body, 0x70);  // the user-defined header that carries the phone's frames
  body.append(2, '\0');  // its length, set below
  put_byte(body, 0xFF);
  put_byte(body, 0xFF);
  put_byte(body, command >> 8);
  put_byte(body, command & 0xFF);
  put_byte(body, 0x01);  // status: done
  body += data;
  Bytes out = obex_response(kSuccess, body);
  set_be16(out, 4, static_cast<unsigned>(out.size() - 3));
  return out;
}

}  // namespace lg81xx::sim
