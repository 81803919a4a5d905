// Connect, the Java position and every folder listing take any replies from the phone:
// the IMEI and information cuts, the root-folder parse and the listing parse never read
// outside a reply, and every wait ends within its budget.
#include <cstdint>
#include <cstdlib>

#include "null_platform.h"
#include "phone/frames/listing_frames.h"
#include "phone/frames/root_folders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lg81xx;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  (void)root_folders(without_nuls(input));
  (void)listing_rows(listing_text(Bytes(input)));

  for (const char* model : {"LG U8130", "LG U8110"}) {
    fuzzing::FuzzForm f(input, model, "/nonexistent");
    auto& [port, clock, ui, archiver, files, form] = f;
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
