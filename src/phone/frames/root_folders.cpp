#include "phone/frames/root_folders.h"

#include <algorithm>

#include "phone/wire_names.h"

namespace lg81xx {

std::string without_nuls(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes)
    if (c != '\0') out.push_back(c);
  return out;
}

std::vector<std::string> root_folders(std::string_view reply) {
  // The names begin where character 17 of the answer without its 00 bytes stands in the
  // answer itself; from there on the text is UTF-16LE.
  std::size_t start = reply.size();
  for (std::size_t i = 0, seen = 0; i < reply.size(); ++i)
    if (reply[i] != '\0' && seen++ == kRootFoldersStart) {
      start = i;
      break;
    }
  const std::string text = text_from_wire(Family::u813, reply.substr(start));

  std::vector<std::string> names;
  // The span from `from` up to the next ":" (or the end); returns where it ends.
  auto span_to_colon = [&](std::size_t from) {
    const auto colon = text.find(':', from);
    return colon == std::string_view::npos ? text.size() : colon;
  };
  std::size_t p = 0;
  std::size_t end = span_to_colon(p);
  // A short or missing answer leaves nothing at the first place: no folder, not a blank one.
  if (end > p) names.emplace_back(text.substr(p, end - p));
  p = end;
  for (;;) {
    const auto slash = text.find('/', p);
    if (slash == std::string_view::npos) break;
    end = span_to_colon(slash);
    std::string name(text.substr(slash, end - slash));
    std::erase(name, '/');
    names.push_back(std::move(name));
    p = end;
  }
  return names;
}

}  // namespace lg81xx
