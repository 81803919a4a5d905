#pragma once
// A fresh temporary folder, removed with everything in it at the end of the test.
#include <filesystem>
#include <random>
#include <string>

#include "base/bytes.h"

namespace lg81xx::testing {

class TempDir {
 public:
  TempDir() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() / ("lg81xx-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void write_file(const std::filesystem::path& path, const Bytes& content);
Bytes read_file(const std::filesystem::path& path);

}  // namespace lg81xx::testing
