#include "platform/zip/zip_archiver.h"

#include <stdlib.h>
#include <zip.h>

#include <fstream>
#include <memory>
#include <vector>

namespace lg81xx {
namespace {

struct ZipCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

struct EntryCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

bool extract_entry(zip_t* z, zip_uint64_t index, const std::filesystem::path& target_file) {
  std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(z, index, 0));
  if (!entry) return false;
  std::error_code ec;
  std::filesystem::create_directories(target_file.parent_path(), ec);
  std::ofstream out(target_file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  std::vector<char> buf(64 * 1024);
  for (;;) {
    const zip_int64_t n = zip_fread(entry.get(), buf.data(), buf.size());
    if (n < 0) return false;
    if (n == 0) break;
    out.write(buf.data(), static_cast<std::streamsize>(n));
  }
  return static_cast<bool>(out);
}

// `fresh` renamed to `place`. A folder already at `place` is first moved to `aside` (in
// the same folder as `fresh`, to go with it) and moved back when the rename fails, so the
// old folder is replaced whole or stays as it was.
bool move_into_place(const std::filesystem::path& fresh, const std::filesystem::path& place,
                     const std::filesystem::path& aside) {
  std::error_code ec;
  const bool had_one = std::filesystem::exists(std::filesystem::symlink_status(place, ec));
  if (had_one) {
    std::filesystem::rename(place, aside, ec);
    if (ec) return false;
  }
  std::filesystem::rename(fresh, place, ec);
  if (!ec) return true;
  if (had_one) std::filesystem::rename(aside, place, ec);
  return false;
}

}  // namespace

bool is_safe_entry_name(std::string_view name) {
  if (name.empty() || name.front() == '/' || name.front() == '\\') return false;
  if (name.size() >= 2 && name[1] == ':') return false;  // C:foo
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = name.size();
    if (name.substr(start, end - start) == "..") return false;
    start = end + 1;
  }
  return true;
}

bool ZipArchiver::is_archive(const Bytes& content) const {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(content.data(), content.size(), 0, &error);
  ZipHandle z(source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr);
  if (source && !z) zip_source_free(source);
  zip_error_fini(&error);
  return z && zip_get_num_entries(z.get(), 0) > 0;
}

bool ZipArchiver::extract_folder(const std::filesystem::path& archive, const std::string& folder,
                                 const std::filesystem::path& target) {
  int error = 0;
  ZipHandle z(zip_open(archive.c_str(), ZIP_RDONLY, &error));
  if (!z) return false;
  const std::string prefix = folder + "/";
  std::vector<zip_uint64_t> inside;
  const zip_int64_t count = zip_get_num_entries(z.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(z.get(), static_cast<zip_uint64_t>(i), 0);
    if (name != nullptr && std::string_view(name).starts_with(prefix) && is_safe_entry_name(name))
      inside.push_back(static_cast<zip_uint64_t>(i));
  }
  if (inside.empty()) return false;

  // Unpacked first into a new folder of our own, then moved into place whole.
  std::string staging_name = (target / ".lg81xx-unpack-XXXXXX").string();
  if (::mkdtemp(staging_name.data()) == nullptr) return false;
  const std::filesystem::path staging = staging_name;
  bool all_ok = true;
  std::error_code ec;
  for (const zip_uint64_t index : inside) {
    const std::string name = zip_get_name(z.get(), index, 0);
    const auto path = staging / std::filesystem::path(name).relative_path();
    if (name.back() != '/') {
      all_ok = extract_entry(z.get(), index, path) && all_ok;
      continue;
    }
    std::filesystem::create_directories(path, ec);
    all_ok = all_ok && !ec;
  }
  all_ok = all_ok && move_into_place(staging / folder, target / folder, staging / ".old");
  std::filesystem::remove_all(staging, ec);
  return all_ok;
}

int ZipArchiver::add_folder(const std::filesystem::path& archive, const std::filesystem::path& folder) {
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) return 0;
  int error = 0;
  ZipHandle z(zip_open(archive.c_str(), ZIP_CREATE, &error));
  if (!z) return -1;
  int added = 0;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const std::string name = std::filesystem::relative(it->path(), folder, ec).generic_string();
    if (ec) return -1;
    zip_source_t* source = zip_source_file(z.get(), it->path().c_str(), 0, 0);
    if (source == nullptr) return -1;
    if (zip_file_add(z.get(), name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
      zip_source_free(source);
      return -1;
    }
    ++added;
  }
  if (ec) return -1;
  if (zip_close(z.get()) != 0) return -1;
  (void)z.release();  // closed and freed by zip_close
  return added;
}

}  // namespace lg81xx
