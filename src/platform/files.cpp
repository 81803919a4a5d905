#include "platform/files.h"

#include <array>
#include <fstream>
#include <random>
#include <system_error>

namespace lg81xx {
namespace {

// Short enough that any name the folder takes still leaves room for it.
std::string random_temp_name() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::string name = ".lg81xx-";
  for (int i = 0; i < 6; ++i) name += kLetters[seed() % (sizeof kLetters - 1)];
  return name;
}

}  // namespace

LocalFiles::LocalFiles(std::function<std::string()> temp_names)
    : temp_names_(temp_names ? std::move(temp_names) : random_temp_name) {}

std::optional<Bytes> LocalFiles::read_all(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // Read to its end: what the file system states as its size is no promise (files of
  // /proc state 0, a file may grow while it is read).
  Bytes content;
  std::array<char, 64 * 1024> buffer;
  while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0)
    content.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return std::nullopt;
  return content;
}

bool LocalFiles::remove(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::remove(path, ec) && !ec;
}

bool LocalFiles::exists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

bool LocalFiles::make_folders(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return std::filesystem::is_directory(path, ec);
}

}  // namespace lg81xx
