#pragma once
// The ten fixed frames, built once at start-up and sent unchanged for the whole run.
#include "base/bytes.h"

namespace lg81xx {

struct SessionFrames {
  Bytes imei_query_frame;    // AT+CGSN
  Bytes obex_mode_frame;     // AT*EOBEX
  Bytes obex_connect_frame;  // OBEX CONNECT, Who "Linux"
  Bytes session_open_frame;  // 00 81 "easyman"
  Bytes phone_info_frame;    // 00 83
  Bytes command_2081_frame;  // 20 81
  Bytes root_list_frame;     // 20 82
  Bytes keep_alive_frame;    // 00 A1
  Bytes empty_body_frame;    // asks the phone for the next download block
  Bytes disconnect_frame;    // 00 82
};

SessionFrames make_session_frames();

}  // namespace lg81xx
