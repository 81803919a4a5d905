// "Carica JAD e JAR": reads the chosen descriptor and archive whole. With the Nokia
// emulation ticked, the archive that is read is a copy with the classes of "emu" added;
// the chosen file itself is never touched.
#include <filesystem>

#include "shell/form1.h"
#include "shell/messages.h"

namespace lg81xx {
namespace {

constexpr const char* kJadFilter = "Java Descriptor|*.jad";
constexpr const char* kJarFilter = "Java Archive|*.jar";
constexpr const char* kTempJar = "temp.jar";

bool has_files(const std::filesystem::path& folder) {
  std::error_code ec;
  for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec)) return true;
  return false;
}

// Clears the busy pointer however the selection ends.
class PointerScope {
 public:
  explicit PointerScope(UserInterface& ui) : ui_(ui) {}
  ~PointerScope() { ui_.set_busy_pointer(false); }
  PointerScope(const PointerScope&) = delete;
  PointerScope& operator=(const PointerScope&) = delete;

 private:
  UserInterface& ui_;
};

}  // namespace

void Form1::Command2_Click() {
  auto& ui = platform_.ui;
  auto& files = platform_.files;
  PointerScope pointer(ui);
  jad_data.clear();
  jar_data.clear();

  const auto jad_path = ui.open_file(kJadFilter);
  if (!jad_path || jad_path->empty()) {
    last_result = JobResult::cancelled;
    return;
  }
  ui.set_busy_pointer(true);
  auto jad = files.read_all(*jad_path);
  if (!jad) return fail(JobResult::local_file, text::kFileReadFailed, MessageStyle::critical, text::kErrorTitle);
  jad_data = std::move(*jad);
  ui.set_busy_pointer(false);

  const auto jar_path = ui.open_file(kJarFilter);
  if (!jar_path || jar_path->empty()) {
    last_result = JobResult::cancelled;
    return;
  }
  ui.set_busy_pointer(true);

  std::optional<Bytes> jar;
  const auto emu = home_ / "emu";
  if (nokia.value && !has_files(emu)) {
    ui.message_box(text::kNoEmuClasses, MessageStyle::information, "");
    jar = files.read_all(*jar_path);
  } else if (nokia.value) {
    // The classes go into a copy, which is read back and removed.
    const auto temp = home_ / kTempJar;
    const bool copied = files.copy(*jar_path, temp);
    if (copied && platform_.archiver.add_folder(temp, emu) >= 0) jar = files.read_all(temp);
    files.remove(temp);
    if (copied && !jar)
      return fail(JobResult::local_file, text::kFileWriteFailed, MessageStyle::critical, text::kErrorTitle);
  } else {
    jar = files.read_all(*jar_path);
  }
  if (!jar) return fail(JobResult::local_file, text::kFileReadFailed, MessageStyle::critical, text::kErrorTitle);

  jar_data = std::move(*jar);
  Label8.caption = std::filesystem::path(*jar_path).filename().string();
  last_result = JobResult::ok;
}

}  // namespace lg81xx
