#pragma once
// The archive work of the program: extract the emulation archive once, and add the
// emulation classes to a copy of a JAR.
#include <filesystem>
#include <string>

namespace lg81xx {

class Archiver {
 public:
  virtual ~Archiver() = default;
  virtual bool present() const = 0;
  // Extracts every entry of `archive` under `target`. Entries whose names would land
  // outside `target` are skipped. False when the archive cannot be read.
  virtual bool extract(const std::filesystem::path& archive, const std::filesystem::path& target) = 0;
  // Adds every file under `folder`, recursively, to `archive`, stored under its path
  // relative to `folder`; an entry of the same name is replaced. Returns the number of
  // files added, or -1 when the archive could not be written.
  virtual int add_folder(const std::filesystem::path& archive, const std::filesystem::path& folder) = 0;
};

}  // namespace lg81xx
