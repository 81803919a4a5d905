#pragma once
// The message-tone read probe: asks the phone to open ../MessageTone/Message1.mid for
// reading (GET 20 86, the request that starts a download) and reports only whether the
// phone accepts.
#include "phone/phone.h"

namespace lg81xx {

// ok at the first acknowledgement; a busy phone is asked again. Without an acknowledgement
// the line stays held: the keep-alive waits until another job frees it.
JobResult send_read_probe(Phone& phone);

}  // namespace lg81xx
