// The download ("DownLoad" on the File Manager tab) takes any replies from the phone:
// it never reads outside a reply, every wait ends within its budget, and a download that
// does not end well leaves no file under the chosen name.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "null_platform.h"

namespace {

// One folder for the whole run, per process so that parallel runs do not meet.
const std::filesystem::path& save_dir() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("lg81xx-download-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lg81xx;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto target = save_dir() / "saved.jpg";

  for (const char* model : {"LG U8130", "LG U8110"}) {
    std::filesystem::remove(target);
    fuzzing::FuzzForm f(input, model, save_dir());
    auto& [port, clock, ui, archiver, files, form] = f;
    ui.save_path = target.string();
    port.open("/dev/fuzz");
    const JobResult result = form.download_named("Images", "a.jpg");
    if (clock.now_ms() > 600'000) std::abort();  // every wait is bounded
    if ((result == JobResult::ok) != std::filesystem::exists(target)) std::abort();
  }
  std::filesystem::remove(target);
  return 0;
}
