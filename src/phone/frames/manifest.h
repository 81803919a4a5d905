#pragma once
// The manifest the phone keeps beside an installed application (NN.mnf): the descriptor
// up to its "MIDlet-Jar-Size" line.
#include "base/bytes.h"
#include "phone/model_family.h"

namespace lg81xx {

// Everything of `descriptor` before the first "MIDlet-Jar-Size" (letter case ignored);
// the whole descriptor when there is none. A descriptor that begins with it gives the
// lines after that line, up to a further "MIDlet-Jar-Size". The U8110/U8120 want a
// closing 0D 0A.
Bytes manifest_from(const Bytes& descriptor, Family family);

}  // namespace lg81xx
