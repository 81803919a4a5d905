#pragma once
// The Java descriptor (JAD): whether a file is one, the JAR size it states, and the same
// descriptor stating another size. Attribute names are matched whatever their letter case.
#include <cstdint>
#include <optional>
#include <string>

#include "base/bytes.h"

namespace lg81xx {

// True when `content` has a line that begins with MIDlet-Name: or MIDlet-Jar-URL:.
bool is_descriptor(const Bytes& content);

// The value of the first MIDlet-Jar-Size line as written, blanks trimmed; nothing when
// there is no such line.
std::optional<std::string> stated_jar_size(const Bytes& descriptor);

// `descriptor` with the value of its first MIDlet-Jar-Size line replaced by `size`, every
// other byte as it was; unchanged when there is no such line.
Bytes with_jar_size(const Bytes& descriptor, std::uint64_t size);

}  // namespace lg81xx
