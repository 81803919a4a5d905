#pragma once
// How names travel between the program and the phone: the one place where the text of a
// name becomes the bytes of its family's wire form, and where the names a phone sends
// become text again. Inside the program a name is UTF-8 text; the U813 family carries
// UTF-16LE (characters outside the Basic Multilingual Plane as surrogate pairs), the
// U811/U812 family Windows-1252, the code page of the phones' market.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/bytes.h"
#include "phone/model_family.h"

namespace lg81xx {

// An object on the phone: a file name inside a folder, as text.
struct ObjectName {
  std::string folder;
  std::string file;
};

// The most characters a name may have: its length byte counts them and the terminator,
// characters being bytes on the U811/U812 and UTF-16 code units on the U813 family.
inline constexpr std::size_t kLongestName = 254;
// The most bytes a name may take in a request, terminator included, once 7D, 7E and FF
// are escaped. An upload's first frame carries both names and the block's fields before
// any data, in at most 963 bytes: this is what it leaves a file name beside the longest
// folder ("VoiceRecord", 24 bytes) when every field escapes (upload_frames.h). Only a U813
// name of more than 222 characters that each hold two reserved bytes (繾, ｾ) passes it.
inline constexpr std::size_t kLongestEscapedName = 891;

// `text` as `family` carries it, without terminator. Nothing when the family cannot hold
// it: a character Windows-1252 has no byte for on the U811/U812, text that is not UTF-8,
// a model of neither family.
std::optional<Bytes> wire_text(Family family, std::string_view text);

// The characters a length byte counts, terminator aside: UTF-16 code units on the U813
// family, bytes on the U811/U812.
std::size_t wire_characters(Family family, const Bytes& wire);

// The same with its terminator (00 00 after UTF-16LE, 00 after 8-bit text), as the
// transfer requests carry a name.
Bytes terminated(Family family, const Bytes& wire);

enum class NameFit { fits, too_long, unsupported };

// Whether `text` can go to the phone as a name: the family holds every character, and
// the name is neither longer than its length byte can count nor than a frame can carry.
// The one rule for names, checked before the port is opened and by every transfer.
NameFit name_fit(Family family, std::string_view text);

// A name in a transfer request: one byte with its characters + 1, then the name with its
// terminator. Nothing unless the name fits.
std::optional<Bytes> name_field(Family family, std::string_view text);

// One of the program's own fixed names ("Java", "Audios") in the U813 family's form.
Bytes utf16le(std::string_view fixed_name);

// Text that a phone of `family` sent, as UTF-8. The 00 units the phones pad and end
// their texts with are dropped; a UTF-16 unit that does not decode (an unpaired
// surrogate, a last odd byte) shows as U+FFFD, so a name is never silently changed into
// another one.
std::string text_from_wire(Family family, std::string_view bytes);

}  // namespace lg81xx
