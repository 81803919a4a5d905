#include "jobs/start_up.h"

#include "jobs/config_file.h"

namespace lg81xx {
namespace {

constexpr const char* kEmuArchive = "emu.zip";
constexpr const char* kEmuFolder = "emu";

}  // namespace

JobOutcome<> start_up(JobContext& jobs, const std::filesystem::path& home) {
  auto& files = jobs.files();
  auto& archiver = jobs.archiver();
  if (!archiver.present()) return {JobResult::local_file, {}, Message{MessageId::archiver_missing, {}, {}}};

  // A missing or empty LG81XX.ini is written below; only "MIDP=0" asks for a new unpack.
  const auto ini_path = home / kIniName;
  const auto ini = files.read_all(ini_path);
  const std::string field = ini ? ini_first_field(*ini) : std::string{};

  // The emulation classes are unpacked at the first start ("MIDP=0": a fresh copy, or one
  // set back to take an updated emu.zip, whose folder "emu" then replaces the old one
  // whole), and whenever their folder is missing. A failed or missing unpack leaves "emu"
  // as it was, and a "MIDP=0" in place so that the next start tries again.
  const auto archive = home / kEmuArchive;
  const bool first_start = field == kIniBeforeFirstStart;
  bool unpacked = false;
  if ((first_start || !files.exists(home / kEmuFolder)) && files.exists(archive)) {
    unpacked = archiver.extract_folder(archive, kEmuFolder, home);
    if (!unpacked) jobs.listener().notice({MessageId::bad_emu_archive, {}, {}});
  }
  if (first_start && !unpacked) return {};

  // A folder that keeps an ini but cannot be written changes nothing; one that cannot
  // even hold the ini cannot hold the program's files.
  if (files.save(ini_path, kIniAfterFirstStart, Replace::regular_file) != SaveResult::ok && field.empty()) {
    const std::string detail = ": " + home.string() + " (" + italian(MessageId::choose_another_home) + ")";
    return {JobResult::local_file, {}, Message{MessageId::program_folder_not_writable, detail, {}}};
  }
  return {};
}

}  // namespace lg81xx
