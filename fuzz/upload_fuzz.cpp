// An install ("INVIA") takes any acknowledgements from the phone: every wait ends within
// its budget, and a job that did not end well is never reported as done.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "null_platform.h"

namespace {

// The descriptor and archive to install, written once per process.
const std::filesystem::path& midlet_dir() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("lg81xx-upload-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    std::ofstream(d / "f.jad", std::ios::binary) << "MIDlet-Name: F\r\nMIDlet-Jar-Size: 1500\r\n";
    std::ofstream(d / "f.jar", std::ios::binary) << "PK" << std::string(1498, '\x7E');  // an archive to NullArchiver
    return d;
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lg81xx;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (const char* model : {"LG U8130", "LG U8110"}) {
    fuzzing::FuzzForm f(input, model, "/nonexistent");
    auto& [port, clock, ui, archiver, files, form] = f;
    port.open("/dev/fuzz");
    ui.open_paths = {(midlet_dir() / "f.jad").string(), (midlet_dir() / "f.jar").string()};
    if (form.load_application() != JobResult::ok) std::abort();
    form.set_position_text("07");
    const JobResult result = form.install_application();
    const bool done = form.progress_bar().caption == "100%";
    if (clock.now_ms() > 600'000) std::abort();  // every wait is bounded
    if ((result == JobResult::ok) != done) std::abort();
  }
  return 0;
}
