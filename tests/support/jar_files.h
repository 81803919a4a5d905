#pragma once
// Small JARs for the tests, made and read with libzip.
#include <zip.h>

#include <filesystem>
#include <map>
#include <string>

#include "base/bytes.h"

namespace lg81xx::testing {

using ZipEntries = std::map<std::string, Bytes>;

// Writes a zip holding `entries`, stored as they are (so a payload keeps its size); false
// when libzip refuses.
inline bool make_jar(const std::filesystem::path& path, const ZipEntries& entries) {
  int error = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!z) return false;
  for (const auto& [name, content] : entries) {
    zip_source_t* s = zip_source_buffer(z, content.data(), content.size(), 0);
    const zip_int64_t index = s ? zip_file_add(z, name.c_str(), s, ZIP_FL_OVERWRITE) : -1;
    if (index < 0) {
      zip_source_free(s);
      zip_discard(z);
      return false;
    }
    zip_set_file_compression(z, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  return zip_close(z) == 0;
}

// Every entry of the zip held in `archive`; empty when it does not open as a zip.
inline ZipEntries jar_entries(const Bytes& archive) {
  ZipEntries out;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* src = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
  if (!src) return out;
  zip_t* z = zip_open_from_source(src, ZIP_RDONLY, &error);
  if (!z) {
    zip_source_free(src);
    return out;
  }
  const zip_int64_t count = zip_get_num_entries(z, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const auto index = static_cast<zip_uint64_t>(i);
    zip_stat_t st;
    if (zip_stat_index(z, index, 0, &st) != 0) continue;
    Bytes content(static_cast<std::size_t>(st.size), '\0');
    zip_file_t* f = zip_fopen_index(z, index, 0);
    if (!f) continue;
    zip_fread(f, content.data(), st.size);
    zip_fclose(f);
    out[st.name] = content;
  }
  zip_close(z);
  return out;
}

}  // namespace lg81xx::testing
