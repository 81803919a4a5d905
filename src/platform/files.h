#pragma once
// Local files: read whole, and saved whole without ever damaging what is already there.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "base/bytes.h"

namespace lg81xx {

// What a save may do to a file already at its destination.
enum class Replace { never, regular_file };

// How a save went, or what a save would meet.
enum class SaveResult {
  ok,
  exists,               // a regular file is there and may not be replaced
  not_a_file,           // a link, FIFO, device or socket is there: never replaced
  is_folder,            // a folder is there
  no_folder,            // the destination's folder does not exist
  folder_not_writable,  // no new file can be made in the destination's folder
  name_too_long,        // longer than the folder's file system allows
  failed,               // writing, flushing or renaming failed (a full disk)
};

class Files {
 public:
  virtual ~Files() = default;
  virtual std::optional<Bytes> read_all(const std::filesystem::path& path) = 0;
  // The regular file `relative` (no "..", not absolute) below the folder `dir`, reached
  // without following a link below `dir`; nothing for a link, FIFO, device or folder there.
  virtual std::optional<Bytes> read_below(const std::filesystem::path& dir, const std::filesystem::path& relative) = 0;
  // What save() would meet at `destination`, found before a transfer without leaving
  // anything behind.
  virtual SaveResult check_save(const std::filesystem::path& destination, Replace replace) = 0;
  // Writes `content` into a new file in the destination's folder and renames it to
  // `destination` only once it is complete and flushed, so a failure never leaves half a
  // file. A folder, a link, a FIFO, a device or a socket there is never replaced; a
  // regular file only when `replace` allows it.
  virtual SaveResult save(const std::filesystem::path& destination, const Bytes& content, Replace replace) = 0;
  virtual bool remove(const std::filesystem::path& path) = 0;
  virtual bool exists(const std::filesystem::path& path) = 0;
  // `path` and the folders above it made where missing; true when it is a folder then.
  virtual bool make_folders(const std::filesystem::path& path) = 0;
};

class LocalFiles final : public Files {
 public:
  // `temp_names` gives the names tried for the temporary file of a save; by default short
  // random hidden names.
  explicit LocalFiles(std::function<std::string()> temp_names = {});

  std::optional<Bytes> read_all(const std::filesystem::path& path) override;
  std::optional<Bytes> read_below(const std::filesystem::path& dir, const std::filesystem::path& relative) override;
  SaveResult check_save(const std::filesystem::path& destination, Replace replace) override;
  SaveResult save(const std::filesystem::path& destination, const Bytes& content, Replace replace) override;
  bool remove(const std::filesystem::path& path) override;
  bool exists(const std::filesystem::path& path) override;
  bool make_folders(const std::filesystem::path& path) override;

 private:
  std::function<std::string()> temp_names_;
};

}  // namespace lg81xx
