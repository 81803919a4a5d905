// WindowModel's handlers take any bytes from the phone, and its start-up any LG81XX.ini. The
// first input byte picks the handler; the rest is the ini, or the phone's replies.
// Whatever comes, nothing reads outside a reply, every wait ends within its budget, and a
// job that did not end well is never reported as done.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "phone/frames/listing_frames.h"
#include "phone/frames/root_folders.h"
#include "phone/wire_names.h"
#include "platform/archiver.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "shell/window_model.h"
#include "support/fake_serial_port.h"
#include "support/recording_ui.h"

namespace lg81xx {
namespace {

namespace fs = std::filesystem;

class NullArchiver final : public Archiver {
 public:
  bool present() const override { return true; }
  bool is_archive(const Bytes& content) const override { return content.starts_with("PK"); }  // enough here
  bool extract_folder(const fs::path&, const std::string&, const fs::path&) override { return true; }
  int add_folder(const fs::path&, const fs::path&) override { return 0; }
};

// The program folder, per process so that parallel runs do not meet, with an emu.zip to
// unpack at start-up and a descriptor and an archive to install; gone at exit.
struct ProgramFolder {
  ProgramFolder() {
    fs::create_directories(path);
    std::ofstream(path / "emu.zip", std::ios::binary) << "zip";
    std::ofstream(path / "f.jad", std::ios::binary) << "MIDlet-Name: F\r\nMIDlet-Jar-Size: 1500\r\n";
    std::ofstream(path / "f.jar", std::ios::binary) << "PK" << std::string(1498, '\x7E');
  }
  ~ProgramFolder() { fs::remove_all(path); }
  const fs::path path = fs::temp_directory_path() / ("lg81xx-window-fuzz-" + std::to_string(::getpid()));
};

const fs::path& home() {
  static const ProgramFolder folder;
  return folder.path;
}

// WindowModel as `model`, its phone answering every frame with the next piece of `script`: two
// bytes give the piece's length, the piece follows. Then the phone falls silent.
struct Rig {
  Rig(std::string_view script, const char* model) : window(Platform{port, clock, ui, archiver, files}, home()) {
    window.choose_model(model);
    port.on_write = [this, script](const Bytes&) mutable {
      if (script.size() < 2) return;
      const std::size_t length = (byte_at(script, 0) | (std::size_t{byte_at(script, 1)} << 8)) % 2100;
      script.remove_prefix(2);
      port.arrive(Bytes(script.substr(0, length)));
      script.remove_prefix(std::min(length, script.size()));
    };
  }
  VirtualClock clock;
  testing::FakeSerialPort port{clock};
  testing::RecordingUi ui;
  NullArchiver archiver;
  LocalFiles files;
  WindowModel window;
};

// Connect, the Java position and every folder listing: the IMEI read, and disconnect
// always closes (a failed connect closed already).
void connect_and_list(std::string_view replies) {
  (void)root_folders(replies);
  for (Family family : {Family::u813, Family::u811_u812})
    for (const auto& row : listing_rows(family, replies))  // text that converts back, or shows U+FFFD
      if (!wire_text(family, row) && row.find("\xEF\xBF\xBD") == std::string::npos) std::abort();
  for (const char* model : {"LG U8130", "LG U8110"}) {
    Rig r(replies, model);
    r.window.choose_port("/dev/fuzz");
    r.window.connect_or_disconnect();
    // An IMEI is shown whole, 15 digits, or said not read, or not at all.
    const std::string& imei = r.window.imei();
    if (!imei.empty() && imei != text::kImeiNotRead &&
        (imei.size() != 15 || imei.find_first_not_of("0123456789") != std::string::npos))
      std::abort();
    for (std::size_t i = 0; i < r.window.folders().size() && i < 8; ++i) {
      r.window.select_folder(static_cast<int>(i));
      r.window.open_folder();
    }
    if (r.port.is_open()) r.window.connect_or_disconnect();
    if (r.port.is_open() || r.clock.now_ms() > 600'000) std::abort();
  }
}

// "DownLoad": the file exists under the chosen name exactly when the job ended well.
void download(std::string_view replies) {
  const auto target = home() / "saved.jpg";
  for (const char* model : {"LG U8130", "LG U8110"}) {
    fs::remove(target);
    Rig r(replies, model);
    r.ui.dialog_answers = {target.string()};
    r.port.open("/dev/fuzz");
    const bool ok = r.window.download_named("Images", "a.jpg") == JobResult::ok;
    if (r.clock.now_ms() > 600'000 || ok != fs::exists(target)) std::abort();
  }
}

// "INVIA": the progress reaches 100% exactly when the job ended well.
void install(std::string_view replies) {
  for (const char* model : {"LG U8130", "LG U8110"}) {
    Rig r(replies, model);
    r.port.open("/dev/fuzz");
    r.ui.dialog_answers = {(home() / "f.jad").string(), (home() / "f.jar").string()};
    if (r.window.load_application() != JobResult::ok) std::abort();
    r.window.set_position_text("07");
    const bool ok = r.window.install_application() == JobResult::ok;
    if (r.clock.now_ms() > 600'000 || ok != (r.window.progress_bar().caption == "100%")) std::abort();
  }
}

// The start-up always starts, says nothing and leaves the ini holding MIDP=1.
void start_up(std::string_view ini) {
  std::ofstream(home() / "LG81XX.ini", std::ios::binary) << ini;
  Rig r({}, "");
  if (r.window.start_up() != StartResult::ok || !r.ui.messages.empty()) std::abort();
  if (r.files.read_all(home() / "LG81XX.ini") != Bytes("MIDP=1\r\n")) std::abort();
  if (r.window.controls().port_box.items.size() != 20) std::abort();
}

}  // namespace
}  // namespace lg81xx

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 4) {
    case 0: lg81xx::connect_and_list(rest); break;
    case 1: lg81xx::download(rest); break;
    case 2: lg81xx::install(rest); break;
    default: lg81xx::start_up(rest); break;
  }
  return 0;
}
