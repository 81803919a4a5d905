#pragma once
// The archiver in-process on libzip: no external program to find, start or wait for.
#include "platform/archiver.h"

namespace lg81xx {

class ZipArchiver final : public Archiver {
 public:
  bool present() const override { return true; }
  bool is_archive(const Bytes& content) const override;
  bool extract_folder(const std::filesystem::path& archive, const std::string& folder,
                      const std::filesystem::path& target) override;
  int add_folder(const std::filesystem::path& archive, const std::filesystem::path& folder) override;
};

// True when `name` (an archive entry name) stays inside the folder it is extracted to.
bool is_safe_entry_name(std::string_view name);

}  // namespace lg81xx
