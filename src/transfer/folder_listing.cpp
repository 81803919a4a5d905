// A double-click on a folder of List1 lists its entries into List2.
#include "base/hex_codec.h"
#include "phone/frames/listing_frames.h"
#include "shell/form1.h"
#include "shell/messages.h"
#include "transfer/listing_exchange.h"

namespace lg81xx {

std::optional<Bytes> run_listing_exchange(Form1& form, const Bytes& request) {
  form.link().send(request);
  auto reply = form.link().await({kListingPollMs, kListingPolls, at_least(kListingMinReply)});
  if (reply) return reply;
  if (!form.platform().port.is_open()) {
    form.link_busy = true;  // no line any more: nothing for the keep-alive to do
    form.fail(JobResult::link_lost, text::kLinkLost, MessageStyle::critical, text::kErrorTitle);
  } else {
    form.fail(JobResult::no_reply, text::kNoReplyDots, MessageStyle::critical, text::kErrorTitle);
  }
  return std::nullopt;
}

void show_listing(Form1& form, const Bytes& reply) {
  form.buffer = listing_text(reply);
  form.List2.clear();
  form.List2.items = listing_rows(form.buffer);
  form.platform().ui.repaint();
}

void Form1::List1_DblClick() {
  if (!require_connection()) return;
  const Family fam = family();
  const std::string folder = List1.text();
  link_busy = true;
  folder_name_bytes.clear();
  if (fam == Family::none || !is_listable(fam, folder)) {
    // No request is defined for this folder (or model): the double-click does nothing.
    link_busy = false;
    last_result = JobResult::bad_input;
    return;
  }
  folder_name_bytes = fam == Family::u813 ? utf16le(folder) : Bytes(folder);
  const Bytes request = *listing_request(fam, folder, next_sequence());
  const auto reply = run_listing_exchange(*this, request);
  // The U811/U812 phones have always been listed with the flag already down; it is
  // lowered only now so that no keep-alive slips in between the request and its answer.
  if (reply || (fam == Family::u811_u812 && platform().port.is_open())) link_busy = false;
  if (!reply) return;
  show_listing(*this, *reply);
  last_result = JobResult::ok;
}

}  // namespace lg81xx
