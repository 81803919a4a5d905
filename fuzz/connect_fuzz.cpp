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
    form.choose_port("/dev/fuzz");
    form.connect_or_disconnect();
    if (form.imei().size() > 15) std::abort();  // the IMEI cut
    for (std::size_t i = 0; i < form.folders().size() && i < 8; ++i) {
      form.select_folder(static_cast<int>(i));
      form.open_folder();
    }
    if (port.is_open()) form.connect_or_disconnect();
    if (port.is_open()) std::abort();  // disconnect always closes; a failed connect closed already
    // Every wait is bounded, and so is asking a busy phone again (nine listings here).
    if (clock.now_ms() > 600'000) std::abort();
  }
  return 0;
}
