#include "platform/zip/zip_writer.h"

#include <zip.h>

#include <memory>
#include <set>

#include "platform/zip/zip_archiver.h"

namespace lg81xx {
namespace {

struct SourceFree {
  void operator()(zip_source_t* s) const { zip_source_free(s); }
};
using Source = std::unique_ptr<zip_source_t, SourceFree>;

struct ZipDiscard {
  void operator()(zip_t* z) const { zip_discard(z); }
};

// Everything the source holds.
std::optional<Bytes> contents_of(zip_source_t* source) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_stat(source, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0) return std::nullopt;
  if (zip_source_open(source) != 0) return std::nullopt;
  Bytes out(stat.size, '\0');
  const zip_int64_t read = zip_source_read(source, out.data(), out.size());
  zip_source_close(source);
  if (read != static_cast<zip_int64_t>(out.size())) return std::nullopt;
  return out;
}

}  // namespace

std::optional<Bytes> zip_archive(const std::vector<ZipEntry>& entries) {
  std::set<std::string> names;
  for (const auto& entry : entries)
    if (!is_safe_entry_name(entry.name) || entry.name.back() == '/' || !names.insert(entry.name).second)
      return std::nullopt;

  zip_error_t error;
  zip_error_init(&error);
  Source buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
  zip_error_fini(&error);
  if (!buffer) return std::nullopt;
  zip_error_init(&error);
  std::unique_ptr<zip_t, ZipDiscard> archive(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error));
  zip_error_fini(&error);
  if (!archive) return std::nullopt;
  zip_source_keep(buffer.get());  // the archive's, and still ours to read once it is written

  for (const auto& entry : entries) {
    zip_source_t* content = zip_source_buffer(archive.get(), entry.content.data(), entry.content.size(), 0);
    if (content == nullptr) return std::nullopt;
    if (zip_file_add(archive.get(), entry.name.c_str(), content, ZIP_FL_ENC_UTF_8) < 0) {
      zip_source_free(content);
      return std::nullopt;
    }
  }
  if (zip_close(archive.get()) != 0) return std::nullopt;
  (void)archive.release();  // closed and freed by zip_close
  return contents_of(buffer.get());
}

}  // namespace lg81xx
