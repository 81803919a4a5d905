#pragma once
// The manifest of an archive of a phone, DIR/manifest.json: the phone it came from and,
// for every file kept in DIR, the phone's folder and name, the file's path in DIR, its
// size, its SHA-256 and when it was saved. It lists only files that came whole and were
// saved; it is written anew, through a new file renamed into place, after each of them.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace lg81xx {

inline constexpr std::string_view kManifestName = "manifest.json";

struct ArchivedPhone {
  std::string model;
  std::string imei;  // empty when the phone's IMEI could not be read ("imei": null)
  std::string information;
  bool operator==(const ArchivedPhone&) const = default;
};

struct ArchivedFile {
  std::string folder;  // the phone's folder and name, as text
  std::string name;
  std::string file;  // its path in the archive, relative, with "/" between folders
  std::uint64_t size = 0;
  std::string sha256;  // 64 lower-case hex digits
  std::string saved;   // ISO 8601, UTC
  bool operator==(const ArchivedFile&) const = default;
};

struct ArchiveManifest {
  ArchivedPhone phone;
  std::vector<ArchivedFile> files;
  bool operator==(const ArchiveManifest&) const = default;

  // Whether an entry of the phone is in the archive (in any of its versions).
  bool holds(std::string_view folder, std::string_view name) const;
};

// The manifest as JSON text; nothing when a name is not text (it never is: names from the
// phone are made text when they arrive).
std::optional<std::string> manifest_text(const ArchiveManifest& manifest);
// The manifest in `text`; nothing when it is not one, or when a file's path would lead
// out of the archive.
std::optional<ArchiveManifest> parse_manifest(std::string_view text);

// A path in the archive that stays in it: relative, with no "..", nothing empty.
bool stays_in_archive(std::string_view file);

enum class ManifestState { none, ok, unreadable };
struct LoadedManifest {
  ManifestState state = ManifestState::none;
  ArchiveManifest manifest;
};

// The manifest of the archive in `dir`: none when there is no manifest.json, unreadable
// when there is one that cannot be read or is not a manifest.
LoadedManifest load_manifest(Files& files, const std::filesystem::path& dir);
// Written through a new file beside it, flushed and renamed into place.
SaveResult save_manifest(Files& files, const std::filesystem::path& dir, const ArchiveManifest& manifest);

// An IMEI as the connect read it: digits, and at least one. Anything else (nothing, or a
// text that says it was not read) leaves the phone without one.
bool is_imei(std::string_view text);

// Now, as the manifest records it: "2026-03-01T12:34:56Z".
std::string utc_now_iso8601();

}  // namespace lg81xx
