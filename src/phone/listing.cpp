// A folder's entries: one listing request, then up to 10 reads 300 ms apart until an
// answer of at least 5 bytes is in.
#include "phone/frames/listing_frames.h"
#include "phone/phone.h"

namespace lg81xx {
namespace {

constexpr std::int64_t kListingPollMs = 300;
constexpr int kListingPolls = 10;
constexpr std::size_t kListingMinReply = 5;

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
  link_.send(*listing_request(fam, folder, next_sequence()));
  const auto reply = link_.await({kListingPollMs, kListingPolls, at_least(kListingMinReply)});
  if (!reply) {
    // Otherwise the line stays held: the keep-alive waits for the next job.
    if (free_when_silent && is_open()) held_ = false;
    return {silence(), {}};
  }
  held_ = false;
  return {JobResult::ok, listing_rows(fam, *reply)};
}

}  // namespace lg81xx
