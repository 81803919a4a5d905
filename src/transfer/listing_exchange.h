#pragma once
// The listing exchange shared by the folder browser and the Java position reader.
#include <optional>

#include "base/bytes.h"

namespace lg81xx {

class Form1;

// Writes `request` and waits for an answer of at least 5 bytes (10 reads, 300 ms apart).
// Without one, shows "IL TELEFONO NON RISPONDE..." (or the lost-link message when the
// port closed meanwhile) and records the outcome; returns nothing.
std::optional<Bytes> run_listing_exchange(Form1& form, const Bytes& request);

// Cuts `reply` into List2 (cleared first) and leaves the parsed text in `buffer`.
void show_listing(Form1& form, const Bytes& reply);

}  // namespace lg81xx
