#pragma once
// Some phones keep a JAR with the "PK" of its record signatures stored as "OK". A file
// that begins 4F 4B 03 04 is such an archive: its signatures get their 50 4B back, and
// every other byte stays as received, so files that merely contain "OK" are untouched.
#include "base/bytes.h"

namespace lg81xx {

bool has_altered_zip_signature(const Bytes& data);

// Rewrites 4F 4B to 50 4B where it starts a ZIP record signature (followed by 01 02,
// 03 04, 05 06, 06 06, 06 07 or 07 08), only in data that begins 4F 4B 03 04.
void restore_zip_signatures(Bytes& data);

}  // namespace lg81xx
