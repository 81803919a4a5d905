#include "link/session_frames.h"

#include "base/hex_codec.h"

namespace lg81xx {

SessionFrames make_session_frames() {
  SessionFrames f;
  f.imei_query_frame = "AT+CGSN" + hex_to_bin("0D0A00");
  f.obex_mode_frame = "AT*EOBEX" + hex_to_bin("0D00");
  f.obex_connect_frame = hex_to_bin("800010110004004A0009") + "Linux" + hex_to_bin("00");
  f.session_open_frame = hex_to_bin("830019700016FF7DDF00810100001000") + "easyman" + hex_to_bin("007E");
  f.phone_info_frame = hex_to_bin("83001170000EFF7DDF008302000008007E");
  f.command_2081_frame = hex_to_bin("83001170000EFF7DDF208103000008007E");
  f.root_list_frame = hex_to_bin("83001170000EFF7DDF208204000008007E");
  f.keep_alive_frame = hex_to_bin("83001170000EFF7DDF00A101000008007E");
  f.empty_body_frame = hex_to_bin("830008700005FF7E");
  f.disconnect_frame = hex_to_bin("83001170000EFF7DDF00822B000008007E");
  return f;
}

}  // namespace lg81xx
