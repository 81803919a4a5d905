// lg81xx-cli stopped by SIGINT, SIGTERM or SIGHUP in the middle of get, put, install and
// sound, against lg81xx-sim on a pseudo-terminal: while the transfer is under way on a
// line paced to 115200 baud, and while the phone has fallen silent. Every run exits with
// 128 + the signal's number, the last request the phone hears is the disconnect, nothing
// partial is left on either side, and the next command works.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <functional>
#include <set>
#include <sstream>
#include <thread>

#include "base/hex_codec.h"
#include "link/session_frames.h"
#include "run_program.h"
#include "sample_content.h"
#include "support/jar_files.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "support/text_lines.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;
const fs::path kCli = LG81XX_CLI_BINARY;
const fs::path kSim = LG81XX_SIM_BINARY;
// The longest a test waits for the phone to log what it checks.
constexpr auto kPatience = std::chrono::seconds(20);
// Large enough that a transfer at 115200 baud lasts many seconds: a signal sent once its
// second frame is on the line always finds it under way.
constexpr std::size_t kLarge = 200 * 1024;

Bytes every_byte_value(std::size_t size, int seed) {
  Bytes bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + static_cast<std::size_t>(seed)) & 0xFF);
  return bytes;
}

// The requests the phone has logged so far ("<< " and their bytes in hex), in their order.
std::vector<std::string> requests_in(const fs::path& log) {
  std::vector<std::string> requests;
  std::istringstream in(read_file(log));
  for (std::string line; std::getline(in, line);)
    if (line.starts_with("<< ")) requests.push_back(line.substr(3));
  return requests;
}

// Waits until the phone has logged the disconnect, at most kPatience; its requests then.
std::vector<std::string> requests_until_goodbye(const fs::path& log) {
  const std::string goodbye = bin_to_hex(make_session_frames().disconnect_frame);
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  for (;;) {
    auto requests = requests_in(log);
    const bool heard = std::find(requests.begin(), requests.end(), goodbye) != requests.end();
    if (heard || std::chrono::steady_clock::now() >= deadline) return requests;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));  // the phone's thread writes the log
  }
}

// A command and where its phases are: `transfer` is the number of the request (the connect
// takes 1 to 8) that carries the second frame of its transfer, and the one the silent
// phone leaves unanswered.
struct Command {
  const char* name;
  std::vector<std::string> args;
  int transfer;
};

enum class Phase { under_way, silent };

class CliStoppedBySignal : public ::testing::Test {
 protected:
  CliStoppedBySignal() {
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    // The commands get the signals as a terminal sends them, whatever the test's own
    // starter ignored (a background job of a script ignores SIGINT).
    for (const int s : {SIGINT, SIGTERM, SIGHUP}) signal(s, SIG_DFL);
  }

  // A new phone with the sample content and the large files; the log names its requests.
  void start_phone(Phase phase, int transfer) {
    phone.reset();
    phone_storage = std::make_unique<TempDir>();
    ASSERT_TRUE(sim::fill_sample_content(phone_storage->path(), "LG U8130"));
    write_file(phone_storage->path() / "Videos" / "lungo.bin", every_byte_value(kLarge, 3));
    fs::remove(log);
    std::vector<std::string> args{"--model", "LG U8130",   "--storage", phone_storage->path().string(),
                                  "--log",   log.string(), "--baud",    "115200"};
    if (phase == Phase::silent) {
      args.push_back("--silent-after");
      args.push_back(std::to_string(transfer - 1));
    }
    phone = std::make_unique<SimProcess>(kSim.string(), args);
  }

  // Runs lg81xx-cli on the phone and sends it `signal` once the phone has logged request
  // `at`.
  RunResult run_stopped(const std::vector<std::string>& args, int at, int signal, bool& sent) {
    std::vector<std::string> all{"--home", home.path().string(), "--port", phone->device_path(), "--fast"};
    all.insert(all.end(), args.begin(), args.end());
    sent = false;
    return run_program(kCli, all, work.path(), [&](pid_t pid, const std::string&) {
      if (!sent && requests_in(log).size() >= static_cast<std::size_t>(at)) sent = kill(pid, signal) == 0;
    });
  }
  RunResult cli(const std::vector<std::string>& args) {
    std::vector<std::string> all{"--home", home.path().string(), "--port", phone->device_path(), "--fast"};
    all.insert(all.end(), args.begin(), args.end());
    return run_program(kCli, all, work.path());
  }

  TempDir home, work;
  fs::path log = work / "phone.log";
  std::unique_ptr<TempDir> phone_storage;
  std::unique_ptr<SimProcess> phone;
};

TEST_F(CliStoppedBySignal, EndsTheSessionAndLeavesNothingPartial) {
  write_file(work / "copia.bin", "mine");  // replaced only by a whole download (--force)
  write_file(work / "dati.bin", every_byte_value(kLarge, 1));
  write_file(work / "tune.mid", every_byte_value(kLarge, 2));
  ASSERT_TRUE(make_jar(work / "big.jar", {{"big.bin", every_byte_value(kLarge, 4)}}));
  write_file(work / "big.jad",
             "MIDlet-Name: Big\r\nMIDlet-Jar-Size: " + std::to_string(fs::file_size(work / "big.jar")) + "\r\n");
  const fs::path kept_sounds = home / "data";
  // Requests: get 9 GET, 10 the next block; put 9 the folder's listing, 10 and 11 its
  // frames; install 9 the folder request, 10 05.jad, 11 and 12 05.jar; sound 9 the phone's
  // own tone, kept first, 10 and 11 the new one.
  const Command commands[] = {
      {"get", {"get", "Videos", "lungo.bin", "-o", "copia.bin", "--force"}, 10},
      {"put", {"put", "Images", "dati.bin"}, 11},
      {"install", {"install", "big.jad", "big.jar", "--position", "05"}, 12},
      {"sound", {"sound", "mes2", "tune.mid"}, 11},
  };
  const std::set<std::string> kInputs{"big.jad", "big.jar", "copia.bin", "dati.bin", "phone.log", "tune.mid"};
  const std::string goodbye = bin_to_hex(make_session_frames().disconnect_frame);
  for (const auto& command : commands) {
    for (const Phase phase : {Phase::under_way, Phase::silent}) {
      for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const std::string what = std::string(command.name) + (phase == Phase::silent ? " on a silent phone" : "") +
                                 ", signal " + std::to_string(signal);
        SCOPED_TRACE(what);
        fs::remove_all(kept_sounds);
        start_phone(phase, command.transfer);
        const fs::path storage = phone_storage->path();
        const Bytes tone_before = read_file(storage / "MessageTone" / "Message2.mid");
        bool sent = false;
        const auto r = run_stopped(command.args, command.transfer, signal, sent);
        ASSERT_TRUE(sent) << r.err;
        EXPECT_EQ(r.status, 128 + signal) << r.err;
        EXPECT_TRUE(has(r.err, "OPERAZIONE ANNULLATA")) << r.err;

        const auto requests = requests_until_goodbye(log);
        ASSERT_FALSE(requests.empty());
        EXPECT_EQ(requests.back(), goodbye);
        EXPECT_EQ(std::count(requests.begin(), requests.end(), goodbye), 1);

        // Nothing partial, here or on the phone.
        EXPECT_EQ(read_file(work / "copia.bin"), "mine");
        EXPECT_FALSE(fs::exists(storage / "Images" / "dati.bin"));
        EXPECT_FALSE(fs::exists(storage / "Java" / "05.jar"));
        EXPECT_EQ(read_file(storage / "MessageTone" / "Message2.mid"), tone_before);
        if (command.name == std::string("install")) {  // it names what reached the phone
          EXPECT_TRUE(has(r.err, "telefono: 05.jad")) << r.err;
        }
        if (fs::exists(kept_sounds)) {  // the phone's own tone is kept whole or not at all
          for (const auto& kept : fs::recursive_directory_iterator(kept_sounds)) {
            if (kept.is_regular_file()) {
              EXPECT_EQ(read_file(kept.path()), tone_before) << kept.path();
            }
          }
        }
        std::set<std::string> here;
        for (const auto& f : fs::directory_iterator(work.path())) here.insert(f.path().filename().string());
        EXPECT_EQ(here, kInputs);

        if (phase == Phase::under_way) {
          const auto next = cli({"ls", "Java"});
          EXPECT_EQ(next.status, 0) << next.err;
        }
      }
    }
  }
}

// A signal ignored when the command starts (nohup) stays ignored: the transfer completes.
TEST_F(CliStoppedBySignal, ASignalIgnoredFromTheStartStaysIgnored) {
  write_file(work / "dati.bin", every_byte_value(kLarge, 1));
  start_phone(Phase::under_way, 11);
  signal(SIGHUP, SIG_IGN);  // the command inherits it
  bool sent = false;
  const auto r = run_stopped({"put", "Images", "dati.bin"}, 11, SIGHUP, sent);
  signal(SIGHUP, SIG_DFL);
  ASSERT_TRUE(sent) << r.err;
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_file(phone_storage->path() / "Images" / "dati.bin"), read_file(work / "dati.bin"));
}

}  // namespace
}  // namespace lg81xx::testing
