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

// The folders the request table has for `family`, "Java" last: the folders every phone
// of the family has.
std::vector<std::string> listable_folders(Family family);

// The listing request for `folder`, carrying the low eight bits of `seq` (escaped when it
// is 7D, 7E or FF) and the folder's name as the family spells it. Nothing when the folder
// is not in the table.
std::optional<Bytes> listing_request(Family family, std::string_view folder, unsigned seq);

// The entry rows of the phone's answer, as text. Its header ends at offset 24; from offset
// 25 the names follow in the family's form, separated by ":", the last one running to
// the end. A first row that is empty (an empty folder) is no row; every further row is
// kept, even when empty.
std::vector<std::string> listing_rows(Family family, std::string_view reply);

}  // namespace lg81xx
