// Connect, the Java position and every folder listing take any replies from the phone:
// the IMEI and information cuts, the root-folder parse and the listing parse never read
// outside a reply, and every wait ends within its budget.
#include <cstdint>
#include <cstdlib>

#include "null_platform.h"
#include "phone/frames/listing_frames.h"
#include "phone/frames/root_folders.h"
#include "phone/wire_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lg81xx;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  (void)root_folders(input);
  for (Family family : {Family::u813, Family::u811_u812}) {
    // Every row is text that converts back to the family's form, or shows U+FFFD.
    for (const auto& row : listing_rows(family, input))
      if (!wire_text(family, row) && row.find("\xEF\xBF\xBD") == std::string::npos) std::abort();
  }

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
