#include "phone/frames/listing_frames.h"

#include "base/hex_codec.h"
#include "link/request_frame.h"
#include "phone/wire_names.h"

namespace lg81xx {
namespace {

constexpr std::size_t kEntriesOffset = 25;

struct Template {
  Family family;
  std::string_view folder;
  std::string_view head;  // offsets 0 to 10, before the sequence byte
  std::string_view rest;  // from offset 12 up to the name
  bool name_in_template;  // the U813 "Java" request carries its name already
};

// The heads and tails the phones expect; the U813 ones hold the lengths of their names,
// the U811/U812 ones get their lengths patched from the finished frame.
constexpr Template kTemplates[] = {
    {Family::u813, "Animations", "83002C700029FF7DDF2083", "0000230000003F0016", false},
    {Family::u813, "Audios", "830024700021FF7DDF2083", "00001B0000003F000E", false},
    {Family::u813, "Images", "830024700021FF7DDF2083", "00001B0000003F000E", false},
    {Family::u813, "Videos", "830024700021FF7DDF2083", "00001B0000003F000E", false},
    {Family::u813, "VoiceRecord", "83002E70002BFF7DDF2083", "0000250000003F0018", false},
    {Family::u813, "Java", "83002070001DFF7DDF2083", "0000170000003F000A4A0061007600610000007E", true},
    {Family::u811_u812, "Audio", "830024700021FF7DDF2083", "00001B0000003F000E", false},
    {Family::u811_u812, "Immagini", "830024700021FF7DDF2083", "00001B0000003F000E", false},
    {Family::u811_u812, "Video", "830024700021FF7DDF2083", "00001B0000003F000E", false},
    {Family::u811_u812, "Java", "83002070001DFF7DDF2083", "0000170000003F000A", false},
};

const Template* find_template(Family family, std::string_view folder) {
  for (const auto& t : kTemplates)
    if (t.family == family && t.folder == folder) return &t;
  return nullptr;
}

}  // namespace

bool is_listable(Family family, std::string_view folder) { return find_template(family, folder) != nullptr; }

std::vector<std::string> listable_folders(Family family) {
  std::vector<std::string> folders;
  for (const auto& t : kTemplates)
    if (t.family == family) folders.emplace_back(t.folder);
  return folders;
}

std::optional<Bytes> listing_request(Family family, std::string_view folder, unsigned seq) {
  const Template* t = find_template(family, folder);
  if (t == nullptr) return std::nullopt;
  Bytes frame = hex_to_bin(t->head) + hex_to_bin("00") + hex_to_bin(t->rest);
  if (!t->name_in_template)
    frame += *wire_text(family, t->folder) + hex_to_bin("00007E");  // the table's names are ASCII
  if (family == Family::u811_u812) patch_short_lengths(frame);
  place_sequence(frame, seq);  // after the lengths: the body length counts unescaped bytes
  return frame;
}

std::vector<std::string> listing_rows(Family family, std::string_view reply) {
  std::vector<std::string> rows;
  if (reply.size() <= kEntriesOffset) return rows;
  // ":" is one byte in UTF-8 and inside no other character, so the text splits safely.
  const std::string text = text_from_wire(family, reply.substr(kEntriesOffset));
  for (std::size_t from = 0;;) {
    const auto colon = text.find(':', from);
    const auto end = colon == std::string::npos ? text.size() : colon;
    if (from > 0 || end > 0) rows.push_back(text.substr(from, end - from));
    if (colon == std::string::npos) return rows;
    from = colon + 1;
  }
}

}  // namespace lg81xx
