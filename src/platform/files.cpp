#include "platform/files.h"

#include <fstream>
#include <random>
#include <system_error>

namespace lg81xx {

std::optional<Bytes> LocalFiles::read_all(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return std::nullopt;
  Bytes content(size, '\0');
  if (size > 0 && !in.read(content.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return content;
}

bool LocalFiles::write_all(const std::filesystem::path& path, const Bytes& content) {
  std::random_device seed;
  auto temp = path;
  temp += ".part" + std::to_string(seed() % 100000);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (!ec) return true;
  std::error_code ignored;
  std::filesystem::remove(temp, ignored);
  return false;
}

bool LocalFiles::copy(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code ec;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
  return !ec;
}

bool LocalFiles::remove(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::remove(path, ec) && !ec;
}

bool LocalFiles::exists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

}  // namespace lg81xx
