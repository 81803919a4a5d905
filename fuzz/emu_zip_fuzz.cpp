// Extracting any emu.zip writes only its folder emu, inside the program folder.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "platform/zip/zip_archiver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace fs = std::filesystem;
  static const fs::path root = fs::temp_directory_path() / ("lg81xx-fuzz-zip-" + std::to_string(getpid()));
  const fs::path program = root / "program";
  fs::remove_all(root);
  fs::create_directories(program);
  {
    std::ofstream out(root / "emu.zip", std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  lg81xx::ZipArchiver archiver;
  (void)archiver.extract_folder(root / "emu.zip", "emu", program);
  for (const auto& entry : fs::directory_iterator(root)) {
    const auto name = entry.path().filename();
    if (name != "program" && name != "emu.zip") std::abort();  // something escaped the folder
  }
  for (const auto& entry : fs::directory_iterator(program))
    if (entry.path().filename() != "emu") std::abort();  // only the folder emu is unpacked
  fs::remove_all(root);
  return 0;
}
