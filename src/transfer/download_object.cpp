// The download engine: one GET request opens the file and brings its first block; each
// further block is asked for with the empty acknowledgement frame, and after every four
// of those a continuation request tells the phone how far the transfer has come. The
// file is kept in memory and written only when it is complete and the user chose where.
#include <algorithm>

#include "link/request_frame.h"
#include "phone/frames/download_replies.h"
#include "phone/frames/download_requests.h"
#include "phone/frames/zip_signatures.h"
#include "shell/form1.h"
#include "shell/messages.h"

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

struct Exchange {
  JobResult failure = JobResult::ok;  // ok when `reply` holds a whole reply
  Bytes reply;                        // up to and including its last 7E
};

Exchange send_and_wait(Link& link, const Bytes& request) {
  if (!link.send(request)) return {JobResult::link_lost, {}};
  const auto got = link.await({kPollMs, kPolls, is_whole_download_reply});
  if (!got) return {link.port().is_open() ? JobResult::no_reply : JobResult::link_lost, {}};
  return {JobResult::ok, cut_at_last_end(*got)};
}

Bytes first_bytes(const Bytes& bytes, int count) {
  return bytes.substr(0, static_cast<std::size_t>(std::max(count, 0)));
}

Bytes download_names(const Bytes& folder, int folder_chars, const Bytes& file, int file_chars) {
  Bytes names;
  put_byte(names, static_cast<unsigned>(folder_chars + 1));
  names += folder;
  put_byte(names, 0x00);
  put_byte(names, static_cast<unsigned>(file_chars + 1));
  names += file;
  put_byte(names, 0x00);
  return names;
}

std::string save_filter(const std::string& entry) {
  return "*." + (entry.size() > 3 ? entry.substr(entry.size() - 3) : entry);
}

}  // namespace

std::string Form1::download_object(int folder_bytes, int file_name_bytes, int folder_chars, int file_name_chars_,
                                   const Bytes& file_name, const Bytes& folder_name, std::int64_t& status) {
  status = 0;
  last_result = JobResult::none;
  auto& ui = platform_.ui;
  auto stop = [&](JobResult why) {
    show_lamp(false);
    ui.set_busy_pointer(false);
    if (why == JobResult::no_reply)
      fail(why, text::kNoReplyDots, MessageStyle::critical, text::kErrorTitle);
    else if (why == JobResult::link_lost)
      fail(why, text::kLinkLost, MessageStyle::critical, text::kErrorTitle);
    else
      last_result = why;  // a refusal ends the download silently
    return std::string{};
  };

  ui.set_busy_pointer(true);
  const Bytes names = download_names(first_bytes(folder_name, folder_bytes), folder_chars,
                                     first_bytes(file_name, file_name_bytes), file_name_chars_);
  const Bytes get = get_request(names, next_sequence());

  // A 5-byte reply means the phone is busy: keep the session alive and ask again, with
  // the very same request, a bounded number of times.
  Exchange ex;
  for (int repeats = 0;; ++repeats) {
    show_lamp(true);
    ex = send_and_wait(link_, get);
    if (ex.failure != JobResult::ok) return stop(ex.failure);
    if (ex.reply.size() != kRefusalReply) break;
    if (repeats == kMaxBusyRepeats) return stop(JobResult::no_reply);
    link_.settle(frames.keep_alive_frame, kPollMs);
  }
  // A reply too short to hold the size field cannot open a download either.
  if (is_get_refusal(ex.reply) || ex.reply.size() < get.size() + 4) {
    status = -1;
    return stop(JobResult::refused);
  }

  FirstBlock first = read_first_block(ex.reply, get.size());
  const std::uint32_t size = first.size;
  status = size;
  Bytes data = std::move(first.data);
  data.reserve(std::min<std::size_t>(size, kMaxReserve));

  std::uint32_t block_counter = 1;
  int state = 0;  // acknowledgement passes since the last continuation; 4: continue now
  while (data.size() < size) {
    set_progress(kFullProgress / size * static_cast<double>(data.size()));
    if (state == 4) {
      state = 0;
      const Bytes request = continuation_request(names, next_sequence(), size,
                                                 static_cast<std::uint32_t>(data.size()), block_counter);
      ex = send_and_wait(link_, request);
      if (ex.failure != JobResult::ok) return stop(ex.failure);
      if (ex.reply.size() <= kRefusalReply) {
        status = -1;
        return stop(JobResult::refused);
      }
      // The reply repeats as many bytes as the request had before its data.
      data += block_data(ex.reply, get_be16(request, 1));
      ++block_counter;
    } else {
      ex = send_and_wait(link_, frames.empty_body_frame);
      if (ex.failure != JobResult::ok) return stop(ex.failure);
      const std::size_t n = ex.reply.size();
      if (n <= kRefusalReply) {
        status = -1;
        return stop(JobResult::refused);
      }
      data += block_data(ex.reply, kBlockDataOffset);
      // A short block is the last one, except on the fourth pass of a group, which is
      // always followed by a continuation request.
      if (n < kFullBlockReply && state != 3) break;
      ++state;
    }
    show_lamp(false);
  }
  show_lamp(false);

  restore_zip_signatures(data);
  link_busy = false;

  const std::string entry = List2.text();
  ui.set_busy_pointer(false);
  const auto path = ui.save_file(save_filter(entry), entry);
  if (!path) {
    last_result = JobResult::cancelled;
    return {};
  }
  ui.set_busy_pointer(true);
  if (!platform_.files.write_all(*path, data)) {
    ui.set_busy_pointer(false);
    fail(JobResult::local_file, text::kFileWriteFailed, MessageStyle::critical, text::kErrorTitle);
    return {};
  }
  set_progress_done();
  ui.set_busy_pointer(false);
  last_result = JobResult::ok;
  return {};
}

}  // namespace lg81xx
