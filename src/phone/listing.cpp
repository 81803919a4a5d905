// A folder's entries: one listing request, then up to 10 reads 300 ms apart until the
// whole answer is in. Only a whole answer of success is cut into rows.
#include "phone/frames/listing_frames.h"
#include "phone/phone.h"

namespace lg81xx {
namespace {

constexpr std::int64_t kListingPollMs = 300;
constexpr int kListingPolls = 10;

}  // namespace

Outcome<std::vector<std::string>> Phone::list_folder(std::string_view folder) {
  // The U811/U812 phones have always been browsed with the line already free; it is freed
  // only after the exchange so that no keep-alive slips in between request and answer.
  return listing(folder, family() == Family::u811_u812);
}

Outcome<std::vector<std::string>> Phone::list_java() { return listing("Java", false); }

Outcome<std::vector<std::string>> Phone::listing(std::string_view folder, bool free_when_silent) {
  held_ = true;
  const Family fam = family();
  if (!is_listable(fam, folder)) {
    held_ = false;
    return {JobResult::bad_input, {}};
  }
  const Reply reply = ask(*listing_request(fam, folder, next_sequence()), {kListingPollMs, kListingPolls});
  if (const JobResult result = judge(reply); result != JobResult::ok) {
    // Otherwise the line stays held: the keep-alive waits for the next job.
    if (free_when_silent && is_open()) held_ = false;
    return {result, {}};
  }
  held_ = false;
  return {JobResult::ok, listing_rows(fam, reply.bytes)};
}

}  // namespace lg81xx
