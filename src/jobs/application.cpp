#include "jobs/application.h"

#include <optional>
#include <utility>

#include "jobs/checks.h"
#include "jobs/endings.h"
#include "jobs/position.h"
#include "phone/frames/descriptor.h"

namespace lg81xx {
namespace fs = std::filesystem;
namespace {

constexpr const char* kTempJar = "temp.jar";

bool has_files(const fs::path& folder) {
  std::error_code ec;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec)) return true;
  return false;
}

Refusal bad(MessageId id, std::string detail, JobResult result = JobResult::bad_input) {
  return {result, {id, std::move(detail), {}}};
}

// Why a chosen pair is not a descriptor and a ZIP archive, naming the wrong file; nothing
// for a good pair.
std::optional<Refusal> pair_problem(const Archiver& archiver, const Bytes& jad, const std::string& jad_name,
                                    const Bytes& jar, const std::string& jar_name) {
  const bool jad_is_archive = archiver.is_archive(jad);
  const bool jar_is_archive = archiver.is_archive(jar);
  const bool jad_is_descriptor = !jad_is_archive && is_descriptor(jad);
  if (jad_is_descriptor && jar_is_archive) return std::nullopt;
  if (jad_is_archive && !jar_is_archive && is_descriptor(jar))
    return bad(MessageId::swapped_files,
               ": " + italian(MessageId::descriptor_and_archive_swapped, {jar_name, jad_name}));
  if (!jad_is_descriptor)
    return bad(MessageId::bad_jad,
               ": " + italian(jad_is_archive ? MessageId::descriptor_is_archive : MessageId::descriptor_without_midlet,
                              {jad_name}));
  return bad(MessageId::bad_jar, ": " + italian(MessageId::archive_not_zip, {jar_name}));
}

// `jar` with the classes of the program folder's "emu" added, in a copy that is read back
// and removed; nothing when that fails.
std::optional<Bytes> with_emulation_classes(Files& files, Archiver& archiver, const Bytes& jar, const fs::path& home) {
  const auto temp = home / kTempJar;
  if (files.save(temp, jar, Replace::regular_file) != SaveResult::ok) return std::nullopt;
  std::optional<Bytes> enlarged;
  if (archiver.add_folder(temp, home / "emu") >= 0) enlarged = files.read_all(temp);
  files.remove(temp);
  return enlarged;
}

// After the message of an install the user stopped or the line cut off: the files that
// reached the phone whole before `stopped`.
std::string files_on_phone(const std::string& position, InstallStep stopped) {
  using enum InstallStep;
  std::string files;
  for (const auto& [step, extension] : {std::pair{descriptor, ".jad"}, {archive, ".jar"}, {manifest, ".mnf"}})
    if (stopped > step) files += (files.empty() ? "" : ", ") + position + extension;
  return "; " + (files.empty() ? italian(MessageId::no_file_on_phone) : italian(MessageId::files_on_phone, {files}));
}

}  // namespace

JobOutcome<Bytes> read_descriptor(JobContext& jobs, const fs::path& path) {
  auto jad = jobs.files().read_all(path);
  if (!jad) return refused<Bytes>(bad(MessageId::file_read_failed, "", JobResult::local_file));
  return {JobResult::ok, std::move(*jad), {}};
}

JobOutcome<ApplicationPair> pair_with_archive(JobContext& jobs, Bytes descriptor, const LoadRequest& request) {
  auto jar = jobs.files().read_all(request.archive);
  if (!jar) return refused<ApplicationPair>(bad(MessageId::file_read_failed, "", JobResult::local_file));
  const std::string jar_name = request.archive.filename().string();
  if (auto problem = pair_problem(jobs.archiver(), descriptor, request.descriptor.filename().string(), *jar, jar_name))
    return refused<ApplicationPair>(std::move(*problem));

  const bool enlarge = request.nokia && has_files(request.program_folder / "emu");
  if (request.nokia && !enlarge) jobs.listener().notice({MessageId::no_emu_classes, {}, {}});
  if (enlarge) {
    auto enlarged = with_emulation_classes(jobs.files(), jobs.archiver(), *jar, request.program_folder);
    if (!enlarged) return refused<ApplicationPair>(bad(MessageId::file_write_failed, "", JobResult::local_file));
    jar = std::move(enlarged);
    descriptor = with_jar_size(descriptor, jar->size());
  } else if (const auto stated = stated_jar_size(descriptor); stated && *stated != std::to_string(jar->size())) {
    // Some phones refuse such a pair, others take it: the user decides.
    jobs.listener().notice({MessageId::jar_size_differs,
                            ": " + italian(MessageId::jar_sizes, {*stated, jar_name, std::to_string(jar->size())}),
                            {}});
  }
  return {JobResult::ok, {std::move(descriptor), std::move(*jar), jar_name}, {}};
}

JobOutcome<ApplicationPair> load_application(JobContext& jobs, const LoadRequest& request) {
  auto jad = read_descriptor(jobs, request.descriptor);
  if (!jad.ok()) return {jad.result, {}, std::move(jad.message)};
  return pair_with_archive(jobs, std::move(jad.value), request);
}

JobOutcome<Installed> install_application(JobContext& jobs, const InstallRequest& request) {
  auto& phone = jobs.phone();
  if (!is_known_model(phone.model())) return refused<Installed>(bad(MessageId::unknown_model, ""));
  if (request.position.empty() && !first_free_position(request.java_rows))
    return refused<Installed>(bad(MessageId::install_java_full, ""));
  const auto position = padded_position(request.position);
  if (!position) return refused<Installed>(bad(MessageId::bad_position, ""));
  // Without a descriptor and an archive nothing could be installed, and an empty upload
  // would leave no acknowledgement to judge the install by.
  if (request.application.empty()) return refused<Installed>(bad(MessageId::no_selection, ""));
  if (auto refusal = check_connected(phone)) return refused<Installed>(std::move(*refusal));
  if (is_taken(request.java_rows, *position) &&
      !may_replace(jobs.listener(), request.when_taken, {MessageId::replace_application, " " + *position + "?", {}}))
    return {JobResult::cancelled, {*position}, {}};

  jobs.listener().started();
  const auto installed =
      install_java_application(phone, *position, request.application.descriptor, request.application.archive);
  const bool cut_off = installed.result == JobResult::interrupted || installed.result == JobResult::link_lost;
  const std::string detail = cut_off ? files_on_phone(*position, installed.value) : "";
  return ended<Installed>(phone, Job::install, installed.result, {*position, installed.value}, detail);
}

}  // namespace lg81xx
