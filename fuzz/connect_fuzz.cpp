// Connect, the Java position and every folder listing take any replies from the phone:
// the IMEI and information cuts, the root-folder parse and the listing parse never read
// outside a reply, and every wait ends within its budget.
#include <cstdint>
#include <cstdlib>

#include "fuzz_phone_port.h"
#include "null_platform.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "shell/form1.h"
#include "shell/root_folders.h"
#include "transfer/listing_parse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lg81xx;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  (void)root_folders(without_nuls(input));
  (void)listing_rows(listing_text(Bytes(input)));

  for (const char* model : {"LG U8130", "LG U8110"}) {
    fuzzing::FuzzPhonePort port(input);
    VirtualClock clock;
    fuzzing::SilentUi ui;
    fuzzing::NullArchiver archiver;
    LocalFiles files;
    Form1 form(Platform{port, clock, ui, archiver, files}, "/nonexistent");
    form.frames = inizializza_obex_string();
    form.Combo1.text = model;
    form.Combo2.text = "/dev/fuzz";
    form.Command1_Click();
    for (std::size_t i = 0; i < form.List1.items.size() && i < 8; ++i) {
      form.List1.list_index = static_cast<int>(i);
      form.List1_DblClick();
    }
    form.Command1_Click();
    if (port.is_open()) std::abort();                      // disconnect always closes
    if (clock.now_ms() > 60'000) std::abort();             // every wait is bounded
    if (form.Label3.caption.size() > 15) std::abort();     // the IMEI cut
  }
  return 0;
}
