// Start-up reads LG81XX.ini whatever it holds: in a folder it can write it always starts,
// never crashes, says nothing and leaves the file holding MIDP=1.
#include <cstdint>
#include <cstdlib>
#include <map>

#include "null_platform.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/serial_port.h"
#include "shell/form1.h"

namespace {

using namespace lg81xx;

class MemoryFiles final : public Files {
 public:
  std::optional<Bytes> read_all(const std::filesystem::path& p) override {
    const auto it = files.find(p.string());
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  SaveResult check_save(const std::filesystem::path&, Replace) override { return SaveResult::ok; }
  SaveResult save(const std::filesystem::path& p, const Bytes& c, Replace) override {
    files[p.string()] = c;
    return SaveResult::ok;
  }
  bool remove(const std::filesystem::path& p) override { return files.erase(p.string()) > 0; }
  bool exists(const std::filesystem::path& p) override { return files.count(p.string()) > 0; }
  std::map<std::string, Bytes> files;
};

class ClosedPort final : public SerialPort {
 public:
  bool open(const std::string&) override { return false; }
  void close() override {}
  bool is_open() const override { return false; }
  bool write(const Bytes&) override { return false; }
  Bytes read_available() override { return {}; }
  std::string error_text() const override { return {}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryFiles files;
  fuzzing::NullArchiver archiver;
  ClosedPort port;
  VirtualClock clock;
  fuzzing::SilentUi ui;
  const std::filesystem::path home = "/program";
  files.files[(home / "LG81XX.ini").string()] = Bytes(reinterpret_cast<const char*>(data), size);
  files.files[(home / "emu.zip").string()] = "zip";
  Form1 form(Platform{port, clock, ui, archiver, files}, home);
  if (form.start_up() != StartResult::ok) std::abort();
  if (files.files[(home / "LG81XX.ini").string()] != "MIDP=1\r\n") std::abort();
  if (ui.messages != 0 || form.controls().Combo2.items.size() != 20) std::abort();
  return 0;
}
