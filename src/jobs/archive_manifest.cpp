#include "jobs/archive_manifest.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <nlohmann/json.hpp>

namespace lg81xx {
namespace {

using json = nlohmann::ordered_json;

constexpr int kFormatVersion = 1;
constexpr std::string_view kFormat = "lg81xx archive";

bool is_hex_digest(const std::string& text) {
  return text.size() == 64 &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// `key` of `object` as text; nothing when it is missing or not text.
std::optional<std::string> text_at(const json& object, const char* key) {
  const auto it = object.find(key);
  if (it == object.end() || !it->is_string()) return std::nullopt;
  return it->get<std::string>();
}

std::optional<ArchivedFile> file_from(const json& record) {
  if (!record.is_object()) return std::nullopt;
  ArchivedFile file;
  for (auto [key, field] :
       {std::pair{"folder", &file.folder}, std::pair{"name", &file.name}, std::pair{"file", &file.file},
        std::pair{"sha256", &file.sha256}, std::pair{"saved", &file.saved}}) {
    auto text = text_at(record, key);
    if (!text) return std::nullopt;
    *field = std::move(*text);
  }
  const auto size = record.find("size");
  if (size == record.end() || !size->is_number_unsigned()) return std::nullopt;
  file.size = size->get<std::uint64_t>();
  if (file.folder.empty() || file.name.empty() || !stays_in_archive(file.file) || !is_hex_digest(file.sha256))
    return std::nullopt;
  return file;
}

}  // namespace

bool ArchiveManifest::holds(std::string_view folder, std::string_view name) const {
  return std::any_of(files.begin(), files.end(),
                     [&](const ArchivedFile& f) { return f.folder == folder && f.name == name; });
}

bool stays_in_archive(std::string_view file) {
  if (file.empty() || file.front() == '/') return false;
  for (std::size_t start = 0; start <= file.size();) {
    const std::size_t end = std::min(file.find('/', start), file.size());
    const std::string_view part = file.substr(start, end - start);
    if (part.empty() || part == "." || part == ".." || part.find('\0') != std::string_view::npos) return false;
    start = end + 1;
  }
  return true;
}

std::optional<std::string> manifest_text(const ArchiveManifest& manifest) {
  json files = json::array();
  for (const auto& f : manifest.files)
    files.push_back({{"folder", f.folder},
                     {"name", f.name},
                     {"file", f.file},
                     {"size", f.size},
                     {"sha256", f.sha256},
                     {"saved", f.saved}});
  const json imei = manifest.phone.imei.empty() ? json(nullptr) : json(manifest.phone.imei);
  const json whole = {
      {"format", kFormat},
      {"version", kFormatVersion},
      {"phone", {{"model", manifest.phone.model}, {"imei", imei}, {"information", manifest.phone.information}}},
      {"files", std::move(files)}};
  try {
    return whole.dump(2) + "\n";  // text that is not UTF-8 throws rather than being changed
  } catch (const json::exception&) {
    return std::nullopt;
  }
}

std::optional<ArchiveManifest> parse_manifest(std::string_view text) {
  const json whole = json::parse(text, nullptr, false);
  if (!whole.is_object() || whole.value("format", "") != kFormat || !whole.contains("version") ||
      !whole["version"].is_number_integer() || whole["version"].get<int>() != kFormatVersion)
    return std::nullopt;
  const auto phone = whole.find("phone");
  const auto files = whole.find("files");
  if (phone == whole.end() || !phone->is_object() || files == whole.end() || !files->is_array()) return std::nullopt;
  ArchiveManifest manifest;
  const auto model = text_at(*phone, "model");
  const auto information = text_at(*phone, "information");
  const auto imei = phone->find("imei");
  if (!model || !information || imei == phone->end() || !(imei->is_null() || imei->is_string())) return std::nullopt;
  manifest.phone = {*model, imei->is_null() ? "" : imei->get<std::string>(), *information};
  for (const auto& record : *files) {
    auto file = file_from(record);
    if (!file) return std::nullopt;
    manifest.files.push_back(std::move(*file));
  }
  return manifest;
}

LoadedManifest load_manifest(Files& files, const std::filesystem::path& dir) {
  const auto path = dir / kManifestName;
  if (!files.exists(path)) return {};
  const auto text = files.read_below(dir, kManifestName);
  auto manifest = text ? parse_manifest(*text) : std::nullopt;
  if (!manifest) return {ManifestState::unreadable, {}};
  return {ManifestState::ok, std::move(*manifest)};
}

SaveResult save_manifest(Files& files, const std::filesystem::path& dir, const ArchiveManifest& manifest) {
  const auto text = manifest_text(manifest);
  if (!text) return SaveResult::failed;
  return files.save(dir / kManifestName, *text, Replace::regular_file);
}

bool is_imei(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string utc_now_iso8601() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

}  // namespace lg81xx
