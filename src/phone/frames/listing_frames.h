#pragma once
// The folder-listing exchange's pure parts: the request for a folder in each family's
// form, and the cut of the phone's answer into rows.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "phone/model_family.h"

namespace lg81xx {

// True when the request table has `folder` for `family` (exact, case-sensitive).
bool is_listable(Family family, std::string_view folder);

// The listing request for `folder`, carrying the low eight bits of `seq` (escaped when it
// is 7D, 7E or FF) and the folder's name as the family spells it. Nothing when the folder
// is not in the table.
std::optional<Bytes> listing_request(Family family, std::string_view folder, unsigned seq);

// The answer as the parse sees it: offset 24 marked "X" when the answer is longer than 25
// bytes, then every 00 byte removed.
std::string listing_text(Bytes reply);

// The entry rows cut out of listing_text's result.
std::vector<std::string> listing_rows(std::string_view text);

}  // namespace lg81xx
