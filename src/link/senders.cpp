// Not yet built: shows a clear "not yet" until this job lands.
#include "shell/form1.h"

namespace lg81xx {

Bytes Form1::query_imei() { return {}; }
Bytes Form1::enter_obex_mode() { return {}; }
Bytes Form1::obex_connect() { return {}; }
Bytes Form1::open_session() { return {}; }
Bytes Form1::request_phone_info() { return {}; }
Bytes Form1::send_command_2081() { return {}; }
Bytes Form1::request_root_list() { return {}; }
Bytes Form1::send_keep_alive() { return {}; }
void Form1::Timer1_Timer() {}

}  // namespace lg81xx
