#include "generated_entries.h"

#include <cstdio>
#include <fstream>

namespace lg81xx::sim {

std::string generated_entry_name(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "voce%04d.txt", index);
  return name;
}

bool add_generated_entries(const std::filesystem::path& folder, int count) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  for (int i = 1; i <= count; ++i) {
    const std::string name = generated_entry_name(i);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out << name;
    if (!out) return false;
  }
  return true;
}

}  // namespace lg81xx::sim
