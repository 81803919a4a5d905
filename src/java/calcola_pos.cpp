// The Java application list and the insertion position proposed from it.
#include "base/number_text.h"
#include "phone/frames/listing_frames.h"
#include "shell/form1.h"
#include "transfer/listing_exchange.h"

namespace lg81xx {

void Form1::calcola_pos() {
  if (!require_connection()) return;
  List2.clear();
  set_Text1("");
  link_busy = true;
  const Family fam = family();
  if (fam == Family::none) {
    link_busy = false;
    last_result = JobResult::ok;
    return;
  }
  const Bytes request = *listing_request(fam, "Java", next_sequence());
  const auto reply = run_listing_exchange(*this, request);
  if (!reply) return;  // the flag stays up: the keep-alive waits for the next job
  show_listing(*this, *reply);
  const std::string position = number_text(static_cast<double>(List2.items.size()) / 2 + 1);
  set_Text1(position);
  if (Text1.text.size() < 2) set_Text1("0" + position);
  link_busy = false;
  last_result = JobResult::ok;
}

}  // namespace lg81xx
