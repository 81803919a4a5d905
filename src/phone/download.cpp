// The download engine: one GET request opens the file and brings its first block; each
// further block is asked for with the empty acknowledgement frame, and after every four
// of those a continuation request tells the phone how far the transfer has come. The file
// is collected in memory and handed back whole, once it holds exactly the size announced.
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
constexpr WaitRule kReplyWait{kPollMs, kPolls};
// A block whose reply is shorter than this is the phone's last one.
constexpr std::size_t kFullBlockReply = 960;
// Replies of this length or shorter carry no block: the phone refuses to go on (or, to
// the GET request, is busy).
constexpr std::size_t kRefusalReply = 5;
// The acknowledgement reply's data follows A0, length, 70, header length and FF.
constexpr std::size_t kBlockDataOffset = 7;
// Memory reserved up front follows the announced size only up to here; a size that is
// wrong by a lot must not allocate much before a single block has arrived (the phones'
// files are far smaller; a larger one simply grows the buffer as its blocks come).
constexpr std::size_t kMaxReserve = std::size_t{1} << 20;

// The phone is busy when it answers the GET request "service unavailable", or with a
// 5-byte reply that is no refusal.
bool is_busy_get(const Reply& reply) {
  if (is_busy(reply)) return true;
  return reply.whole() && reply.bytes.size() == kRefusalReply &&
         code_of(reply.bytes, Framing::obex) != ReplyCode::refused;
}

// ok when `reply` carries a block: a whole reply of success or continue, longer than a
// refusal, that ends with its 7E.
JobResult judge_block(const Reply& reply) {
  const JobResult result = judge(reply, Framing::obex, true);
  if (result != JobResult::ok) return result;
  if (reply.bytes.size() <= kRefusalReply) return JobResult::refused;
  return reply.bytes.back() == '\x7E' ? JobResult::ok : JobResult::bad_reply;
}

}  // namespace

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
  events_.lamp(true);
  const Reply first = ask(get, kReplyWait, is_busy_get);
  if (is_busy_get(first)) return stop(JobResult::busy);
  if (const JobResult result = judge_block(first); result != JobResult::ok) return stop(result);
  // A reply too short to hold the size field cannot open a download.
  if (first.bytes.size() < get.size() + 4) return stop(JobResult::bad_reply);

  FirstBlock opened = read_first_block(first.bytes, get.size());
  const std::uint32_t size = opened.size;
  Bytes data = std::move(opened.data);
  data.reserve(std::min<std::size_t>(size, kMaxReserve));

  std::uint32_t block_counter = 1;
  int state = 0;  // acknowledgement passes since the last continuation; 4: continue now
  while (data.size() < size) {
    events_.progress(data.size(), size);
    if (state == 4) {
      state = 0;
      const Bytes request =
          continuation_request(names, next_sequence(), size, static_cast<std::uint32_t>(data.size()), block_counter);
      const Reply block = link_.exchange(request, kReplyWait);
      if (const JobResult result = judge_block(block); result != JobResult::ok) return stop(result);
      // The reply repeats as many bytes as the request had before its data.
      data += block_data(block.bytes, get_be16(request, 1));
      ++block_counter;
    } else {
      const Reply block = link_.exchange(frames_.empty_body_frame, kReplyWait);
      if (const JobResult result = judge_block(block); result != JobResult::ok) return stop(result);
      data += block_data(block.bytes, kBlockDataOffset);
      // A short block is the last one, except on the fourth pass of a group, which is
      // always followed by a continuation request.
      if (block.bytes.size() < kFullBlockReply && state != 3) break;
      ++state;
    }
    events_.lamp(false);
  }
  events_.lamp(false);
  // The file is the phone's only when every byte it announced came, and no more.
  if (data.size() != size) return {JobResult::bad_reply, {}};
  restore_zip_signatures(data);
  return {JobResult::ok, std::move(data)};
}

}  // namespace lg81xx
