#pragma once
// The fixed requests of a Java install: the keep-alive command between the descriptor and
// the archive (U8110/U8120), the folder request that opens the install (U8130/U8138), and
// the two requests that name the files contentInfo and pushlist of the folder "Java".
#include "base/bytes.h"

namespace lg81xx {

// U8110/U8120: literal frames of 17, 36 and 33 bytes.
Bytes install_keep_alive_request(unsigned sequence);
Bytes content_info_request_8bit(unsigned sequence);
Bytes pushlist_request_8bit(unsigned sequence);

// U8130/U8138: UTF-16LE names, lengths filled in after assembly (27, 53 and 47 bytes).
Bytes java_folder_request(unsigned sequence);
Bytes content_info_request_utf16(unsigned sequence);
Bytes pushlist_request_utf16(unsigned sequence);

}  // namespace lg81xx
