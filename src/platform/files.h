#pragma once
// Local files, read and written whole. Writes go to a temporary file beside the target
// and are renamed over it only when complete, so a failure never leaves half a file.
#include <filesystem>
#include <optional>

#include "base/bytes.h"

namespace lg81xx {

class Files {
 public:
  virtual ~Files() = default;
  virtual std::optional<Bytes> read_all(const std::filesystem::path& path) = 0;
  virtual bool write_all(const std::filesystem::path& path, const Bytes& content) = 0;
  virtual bool copy(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  virtual bool remove(const std::filesystem::path& path) = 0;
  virtual bool exists(const std::filesystem::path& path) = 0;
};

class LocalFiles final : public Files {
 public:
  std::optional<Bytes> read_all(const std::filesystem::path& path) override;
  bool write_all(const std::filesystem::path& path, const Bytes& content) override;
  bool copy(const std::filesystem::path& from, const std::filesystem::path& to) override;
  bool remove(const std::filesystem::path& path) override;
  bool exists(const std::filesystem::path& path) override;
};

}  // namespace lg81xx
