#pragma once
// The archive work of the program: unpack the emulation classes from their archive, tell
// a ZIP archive from other files, and add the emulation classes to a copy of a JAR.
#include <filesystem>
#include <string>

#include "base/bytes.h"

namespace lg81xx {

class Archiver {
 public:
  virtual ~Archiver() = default;
  virtual bool present() const = 0;
  // True when `content` is a ZIP archive that holds at least one entry.
  virtual bool is_archive(const Bytes& content) const = 0;
  // Extracts the entries under the top-level `folder` of `archive` into target/folder,
  // complete or not at all; nothing else of the archive is unpacked, and no entry lands
  // outside that folder. A target/folder already there is replaced whole (nothing of it
  // survives) once the new one is complete, and stays as it was when the unpack fails.
  // False when the archive cannot be read, holds no such folder, or target/folder cannot
  // be made.
  virtual bool extract_folder(const std::filesystem::path& archive, const std::string& folder,
                              const std::filesystem::path& target) = 0;
  // Adds every file under `folder`, recursively, to `archive`, stored under its path
  // relative to `folder`; an entry of the same name is replaced. Returns the number of
  // files added, or -1 when the archive could not be written.
  virtual int add_folder(const std::filesystem::path& archive, const std::filesystem::path& folder) = 0;
};

}  // namespace lg81xx
