// The download engine: one GET request opens the file and brings its first block; each
// further block is asked for with the empty acknowledgement frame, and after every four
// of those a continuation request tells the phone how far the transfer has come. The file
// is collected in memory and handed back whole.
#include <algorithm>

#include "link/request_frame.h"
#include "phone/frames/download_replies.h"
#include "phone/frames/download_requests.h"
#include "phone/frames/zip_signatures.h"
#include "phone/phone.h"

namespace lg81xx {
namespace {

constexpr std::int64_t kPollMs = 400;
constexpr int kPolls = 20;
constexpr int kMaxBusyRepeats = 20;
// A block whose reply is shorter than this is the phone's last one.
constexpr std::size_t kFullBlockReply = 960;
// Replies of this length or shorter carry no block: the phone refuses to go on.
constexpr std::size_t kRefusalReply = 5;
// The acknowledgement reply's data follows A0, length, 70, header length and FF.
constexpr std::size_t kBlockDataOffset = 7;
// Memory reserved up front follows the announced size only up to here; a size that is
// wrong by a lot must not allocate much before a single block has arrived (the phones'
// files are far smaller; a larger one simply grows the buffer as its blocks come).
constexpr std::size_t kMaxReserve = std::size_t{1} << 20;

}  // namespace

// Writes `request` and waits for a whole reply, cut after its last 7E.
Outcome<Bytes> Phone::download_exchange(const Bytes& request) {
  if (!link_.send(request)) return {JobResult::link_lost, {}};
  const auto got = link_.await({kPollMs, kPolls, is_whole_download_reply});
  if (!got) return {silence(), {}};
  return {JobResult::ok, cut_at_last_end(*got)};
}

Outcome<Bytes> Phone::download(const ObjectName& name) {
  LineHold line(*this);
  const auto wire_names = download_names(family(), name);
  if (!wire_names) return {JobResult::bad_input, {}};
  const Bytes& names = *wire_names;
  const auto stop = [this](JobResult why) {
    events_.lamp(false);
    return Outcome<Bytes>{why, {}};
  };

  const Bytes get = get_request(names, next_sequence());
  // A 5-byte reply means the phone is busy: keep the session alive and ask again, with
  // the very same request, a bounded number of times.
  Outcome<Bytes> ex;
  for (int repeats = 0;; ++repeats) {
    events_.lamp(true);
    ex = download_exchange(get);
    if (!ex.ok()) return stop(ex.result);
    if (ex.value.size() != kRefusalReply) break;
    if (repeats == kMaxBusyRepeats) return stop(JobResult::no_reply);
    link_.settle(frames_.keep_alive_frame, kPollMs);
  }
  // A reply too short to hold the size field cannot open a download either.
  if (is_get_refusal(ex.value) || ex.value.size() < get.size() + 4) return stop(JobResult::refused);

  FirstBlock first = read_first_block(ex.value, get.size());
  const std::uint32_t size = first.size;
  Bytes data = std::move(first.data);
  data.reserve(std::min<std::size_t>(size, kMaxReserve));

  std::uint32_t block_counter = 1;
  int state = 0;  // acknowledgement passes since the last continuation; 4: continue now
  while (data.size() < size) {
    events_.progress(data.size(), size);
    if (state == 4) {
      state = 0;
      const Bytes request = continuation_request(names, next_sequence(), size,
                                                 static_cast<std::uint32_t>(data.size()), block_counter);
      ex = download_exchange(request);
      if (!ex.ok()) return stop(ex.result);
      if (ex.value.size() <= kRefusalReply) return stop(JobResult::refused);
      // The reply repeats as many bytes as the request had before its data.
      data += block_data(ex.value, get_be16(request, 1));
      ++block_counter;
    } else {
      ex = download_exchange(frames_.empty_body_frame);
      if (!ex.ok()) return stop(ex.result);
      const std::size_t n = ex.value.size();
      if (n <= kRefusalReply) return stop(JobResult::refused);
      data += block_data(ex.value, kBlockDataOffset);
      // A short block is the last one, except on the fourth pass of a group, which is
      // always followed by a continuation request.
      if (n < kFullBlockReply && state != 3) break;
      ++state;
    }
    events_.lamp(false);
  }
  events_.lamp(false);
  restore_zip_signatures(data);
  return {JobResult::ok, std::move(data)};
}

}  // namespace lg81xx
