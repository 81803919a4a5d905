// The virtual phone's request parser and its services take any byte stream from the line
// without crashing, hanging or writing outside its storage folder.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "request.h"
#include "virtual_phone.h"

namespace {

const std::filesystem::path& storage() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("lg81xx-fuzz-sim-" + std::to_string(getpid())) / "storage";
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const lg81xx::Bytes input(reinterpret_cast<const char*>(data), size);
  std::string why;
  (void)lg81xx::sim::parse_request(input, why);

  for (const char* model : {"LG U8130", "LG U8120"}) {
    lg81xx::sim::PhoneOptions options;
    options.model = model;
    options.storage = storage();
    lg81xx::sim::VirtualPhone phone(options);
    // Feed the stream in two pieces: a request may arrive split across reads.
    const std::size_t cut = size / 2;
    (void)phone.receive(std::string_view(input).substr(0, cut));
    (void)phone.receive(std::string_view(input).substr(cut));
  }
  if (std::filesystem::exists(storage().parent_path().parent_path() / "evil")) std::abort();
  return 0;
}
