// An install ("INVIA") takes any acknowledgements from the phone: every wait ends within
// its budget, and a job that did not end well is never reported as done.
#include <cstdint>
#include <cstdlib>

#include "null_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lg81xx;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (const char* model : {"LG U8130", "LG U8110"}) {
    fuzzing::FuzzForm f(input, model, "/nonexistent");
    auto& [port, clock, ui, archiver, files, form] = f;
    port.open("/dev/fuzz");
    form.link_busy = false;
    form.jad_data = "MIDlet-Name: F\r\nMIDlet-Jar-Size: 1500\r\n";
    form.jar_data = Bytes(1500, '\x7E');
    form.set_Text1("07");
    form.Command3_Click();
    if (clock.now_ms() > 600'000) std::abort();  // every wait is bounded
    if (form.last_result == JobResult::ok && form.Label5.caption != "100%") std::abort();
    if (form.last_result != JobResult::ok && form.Label5.caption == "100%") std::abort();
  }
  return 0;
}
