#pragma once
// Names as a phone writes them on the line: UTF-16LE for the U813 family, Windows-1252 for
// the U811/U812 family, each name followed by its terminator (00 00, or 00). The storage
// keeps them as the host's UTF-8 file names; a name that does not convert exactly is
// refused, never mangled.
#include <optional>
#include <string>
#include <string_view>

#include "base/bytes.h"
#include "phone/model_family.h"

namespace lg81xx::sim {

enum class NameForm { utf16le, windows1252 };

NameForm name_form_of(Family family);
// Bytes per character unit: 2 or 1; the terminator is one unit of zeros.
std::size_t unit_size(NameForm form);
Bytes terminator(NameForm form);

// Any text in `form`, without terminator; nothing when the form cannot hold it.
std::optional<Bytes> text_in_form(std::string_view utf8, NameForm form);
// A name in `form`, without terminator; nothing when the phone could not hold it.
std::optional<Bytes> encode_name(std::string_view utf8, NameForm form);
// A field that holds a name and its terminator and nothing else: the name's bytes without
// the terminator, or nothing when the field is not shaped so.
std::optional<std::string_view> name_in_field(std::string_view field, NameForm form);
// The bytes before the first terminator (a whole unit of zeros) of `bytes`, or nothing
// when there is none.
std::optional<std::string_view> name_up_to_terminator(std::string_view bytes, NameForm form);
// The name's bytes as UTF-8; nothing when they do not decode or the phone could not hold
// the name.
std::optional<std::string> decode_name(std::string_view bytes, NameForm form);

// The phone's file system holds any name but an empty one and one with ":", which
// separates the entries of its lists. A newline is an ordinary character to it.
bool phone_can_hold(std::string_view utf8);

}  // namespace lg81xx::sim
