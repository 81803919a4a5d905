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

  // A missing or empty LG81XX.ini is a first start, as a fresh copy saying "MIDP=0" is.
  const auto ini_path = home / kIniName;
  const auto ini = files.read_all(ini_path);
  const std::string field = ini ? ini_first_field(*ini) : std::string{};

  // The emulation classes are unpacked at the first start, or at the next one after
  // emu.zip was put into the program folder. Only its folder "emu" is unpacked, whole or
  // not at all; a missing archive simply leaves no "emu" folder behind.
  const auto archive = home / kEmuArchive;
  if (!files.exists(home / kEmuFolder) && files.exists(archive) && !archiver.extract_folder(archive, kEmuFolder, home))
    jobs.listener().notice({MessageId::bad_emu_archive, {}, {}});

  // A folder that keeps an ini but cannot be written changes nothing; one that cannot
  // even hold the ini cannot hold the program's files.
  if (files.save(ini_path, kIniAfterFirstStart, Replace::regular_file) != SaveResult::ok && field.empty()) {
    const std::string detail = ": " + home.string() + " (" + italian(MessageId::choose_another_home) + ")";
    return {JobResult::local_file, {}, Message{MessageId::program_folder_not_writable, detail, {}}};
  }
  return {};
}

}  // namespace lg81xx
