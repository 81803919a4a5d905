// Transfer benchmark: installs and downloads of generated files over the virtual phone on a
// pseudo-terminal, through the real serial adapter and real time, in classic and fast mode,
// paced to 115200 baud and unthrottled; and a backup of a phone folder of 200 files, 5 MB
// in all, in fast mode. Every case runs in a child process of its own (the client) with
// the phone in a grandchild, so the client's peak memory is its own.
//
//   lg81xx_transfer_bench [--quick] [--sizes 64,300,1024] [--modes classic,fast]
//                         [--bauds 115200,0] [--jobs upload,download,backup] [--no-connect]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "jobs/backup.h"
#include "jobs/verify.h"
#include "platform/files.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/zip/zip_archiver.h"
#include "pty_phone.h"
#include "shell/window_model.h"

namespace {

using lg81xx::Bytes;
namespace fs = std::filesystem;

constexpr const char* kModel = "LG U8120";  // installs send the JAR as it is, no emulation classes
constexpr const char* kFolder = "Immagini";
constexpr const char* kJad = "MIDlet-Name: Bench\r\nMIDlet-Vendor: Bench\r\nMIDlet-Jar-URL: bench.jar\r\n";
constexpr double kLineRate = 11520.0;  // bytes/s at 115200 baud, 8N1

// The real clock, counting the sleeps the procedures ask for: in classic mode their sum is
// the time the waits predict.
class CountingClock final : public lg81xx::Clock {
 public:
  void sleep_ms(std::int64_t ms) override {
    asked_us += ms * 1000;
    clock_.sleep_ms(ms);
  }
  std::int64_t now_ms() const override { return clock_.now_ms(); }
  void sleep_us(std::int64_t us) override {
    asked_us += us;
    clock_.sleep_us(us);
  }
  std::int64_t now_us() const override { return clock_.now_us(); }
  std::int64_t asked_us = 0;

 private:
  lg81xx::SteadyClock clock_;
};

class ScriptedUi final : public lg81xx::UserInterface {
 public:
  void message_box(const std::string& text, lg81xx::MessageStyle, const std::string&) override {
    messages.push_back(text);
  }
  bool ask(const std::string&, const std::string&) override { return false; }
  std::optional<std::string> open_file(const std::string&, const std::string&) override { return next(); }
  std::optional<std::string> save_file(const std::string&, const std::string&) override { return next(); }
  std::optional<std::string> choose_folder() override { return next(); }
  void set_busy_pointer(bool) override {}
  void repaint() override {}
  std::deque<std::string> answers;
  std::vector<std::string> messages;

 private:
  std::optional<std::string> next() {
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

Bytes sample(std::size_t size) {
  std::mt19937 random(11);
  Bytes out(size, '\0');
  for (auto& c : out) c = static_cast<char>(random() & 0xFF);
  return out;
}

void write_bytes(const fs::path& path, const Bytes& data) {
  std::ofstream(path, std::ios::binary).write(data.data(), static_cast<std::streamsize>(data.size()));
}

Bytes read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Peak resident size of this process, in KB.
long peak_rss_kb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

fs::path make_temp_dir(const char* stem) {
  std::string pattern = (fs::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
  return pattern;
}

constexpr int kBackupFiles = 200;
constexpr std::size_t kBackupBytes = 5 * 1024 * 1024;

// A listener that hears nothing: the benchmark looks at the outcome.
class QuietListener final : public lg81xx::JobListener {
 public:
  void lamp(bool) override {}
  void progress(const lg81xx::Progress&) override {}
  bool ask(const lg81xx::Message&) override { return false; }
  void notice(const lg81xx::Message&) override {}
};

struct Case {
  std::string job;  // "upload", "download", "backup" or "connect"
  std::size_t size = 0;
  int baud = 0;
  bool fast = false;
};

struct Result {
  bool ok = false;
  double seconds = 0;
  double asked_s = 0;  // sleeps asked for by the waits during the timed part
  long rss_kb = 0;
};

// The phone in a process of its own: it reports its device path through a pipe and serves
// until it is told to stop, or until its hold pipe reaches end of file (the client died).
pid_t start_phone(const fs::path& storage, int baud, std::string& device) {
  int path_pipe[2], hold_pipe[2];
  if (pipe(path_pipe) != 0 || pipe(hold_pipe) != 0) throw std::runtime_error("pipe");
  const pid_t pid = fork();
  if (pid == 0) {
    close(path_pipe[0]);
    close(hold_pipe[1]);
    {
      lg81xx::sim::PtyPhone phone(lg81xx::sim::PhoneOptions{kModel, "359999000011112", storage, 0},
                                  lg81xx::sim::PtyOptions{baud, 0, {}});
      const std::string line = phone.device_path() + "\n";
      if (write(path_pipe[1], line.data(), line.size()) < 0) _exit(2);
      close(path_pipe[1]);
      char c;
      while (read(hold_pipe[0], &c, 1) > 0) {}
    }
    _exit(0);
  }
  close(path_pipe[1]);
  close(hold_pipe[0]);  // the write end stays open in the client until it exits
  char buf[256];
  const ssize_t n = read(path_pipe[0], buf, sizeof buf - 1);
  close(path_pipe[0]);
  if (n <= 0) throw std::runtime_error("phone did not start");
  device.assign(buf, static_cast<std::size_t>(n));
  if (!device.empty() && device.back() == '\n') device.pop_back();
  return pid;
}

// The row of `name` in `items`, -1 when it is not there.
int index_of(const std::vector<std::string>& items, const std::string& name) {
  const auto at = std::find(items.begin(), items.end(), name);
  return at == items.end() ? -1 : static_cast<int>(at - items.begin());
}

// The client's side of a run: the Qt application the serial port needs, the port, a clock
// that counts what the waits asked, and the local files.
struct ClientSide {
  int argc = 1;
  char name[22] = "lg81xx_transfer_bench";
  char* argv[2] = {name, nullptr};
  QCoreApplication app{argc, argv};
  lg81xx::QtSerialPort port;
  CountingClock clock;
  lg81xx::ZipArchiver archiver;
  lg81xx::LocalFiles files;
  auto parts() { return std::tie(port, clock, archiver, files); }
};

// A backup of kBackupFiles files, kBackupBytes in all, from the folder kFolder into a new
// archive, through the jobs as the command line runs them; checked file by file and by
// verify.
Result run_backup_case(const Case& c) {
  const fs::path archive = make_temp_dir("lg81xx-bench-archive");
  const fs::path storage = make_temp_dir("lg81xx-bench-phone");
  fs::create_directories(storage / kFolder);
  // One file at a time, so that the client never holds the whole 5 MB.
  const std::size_t each = kBackupBytes / kBackupFiles;
  std::mt19937 random(11);
  std::vector<std::string> names;
  for (int i = 0; i < kBackupFiles; ++i) {
    names.push_back("foto" + std::to_string(1000 + i) + ".jpg");
    Bytes content(i + 1 < kBackupFiles ? each : kBackupBytes - each * (kBackupFiles - 1), '\0');
    for (auto& b : content) b = static_cast<char>(random() & 0xFF);
    write_bytes(storage / kFolder / names.back(), content);
  }
  std::string device;
  const pid_t phone = start_phone(storage, c.baud, device);

  ClientSide client;
  auto [port, clock, archiver, files] = client.parts();  // references into client
  QuietListener listener;
  lg81xx::JobContext jobs(port, clock, files, archiver, listener);
  jobs.phone().link().set_mode(c.fast ? lg81xx::WaitMode::fast : lg81xx::WaitMode::classic);

  Result r;
  const auto connected = lg81xx::connect_phone(jobs, {kModel, device});
  if (connected.ok()) {
    clock.asked_us = 0;
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak from here on: the backup's own
    lg81xx::BackupRequest request;
    request.dir = archive;
    request.folders = {kFolder};
    const auto started = std::chrono::steady_clock::now();
    const auto done = lg81xx::back_up(jobs, connected.value, request);
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    r.asked_s = static_cast<double>(clock.asked_us) / 1e6;
    r.rss_kb = peak_rss_kb();
    r.ok = done.ok() && done.value.added == names.size() && lg81xx::verify_archive(files, archive).ok();
    for (const auto& n : names) r.ok = r.ok && read_bytes(archive / kFolder / n) == read_bytes(storage / kFolder / n);
  }
  lg81xx::disconnect_phone(jobs);
  port.close();
  int status = 0;
  kill(phone, SIGTERM);
  waitpid(phone, &status, 0);
  fs::remove_all(archive);
  fs::remove_all(storage);
  return r;
}

// Runs one case in this (child) process.
Result run_case(const Case& c) {
  if (c.job == "backup") return run_backup_case(c);
  const fs::path home = make_temp_dir("lg81xx-bench-home");
  const fs::path storage = make_temp_dir("lg81xx-bench-phone");
  fs::create_directories(storage / kFolder);
  const Bytes content = sample(c.size);
  if (c.job == "download") write_bytes(storage / kFolder / "data.bin", content);
  if (c.job == "upload") {
    // The JAR holds the sample as one entry; random bytes keep their size in the archive.
    write_bytes(home / "bench.jad", kJad);
    fs::create_directories(home / "payload");
    write_bytes(home / "payload" / "data.bin", content);
    lg81xx::ZipArchiver().add_folder(home / "bench.jar", home / "payload");
  }
  std::string device;
  const pid_t phone = start_phone(storage, c.baud, device);

  ClientSide client;
  auto [port, clock, archiver, files] = client.parts();  // references into client
  ScriptedUi ui;
  lg81xx::WindowModel window(lg81xx::Platform{port, clock, ui, archiver, files}, home);
  window.set_fast(c.fast);

  Result r;
  auto started = std::chrono::steady_clock::now();
  auto seconds_since = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  };
  window.choose_model(kModel);
  window.choose_port(device);
  window.connect_or_disconnect();
  const std::string listed = c.job == "download" ? kFolder : "Java";
  const int folder = index_of(window.folders(), listed);
  bool ok = port.is_open() && folder >= 0;
  if (ok) {
    window.select_folder(folder);
    window.open_folder();
  }
  if (c.job == "connect") {
    r.seconds = seconds_since();
    r.asked_s = static_cast<double>(clock.asked_us) / 1e6;
    r.ok = ok && ui.messages.empty();
  } else if (ok) {
    clock.asked_us = 0;
    lg81xx::JobResult result = lg81xx::JobResult::bad_input;
    if (c.job == "upload") {
      ui.answers = {(home / "bench.jad").string(), (home / "bench.jar").string()};
      window.load_application();
      window.set_position_text("05");
      started = std::chrono::steady_clock::now();
      result = window.install_application();
    } else {
      const int entry = index_of(window.entries(), "data.bin");
      ok = entry >= 0;
      ui.answers = {(home / "saved.bin").string()};
      started = std::chrono::steady_clock::now();
      if (ok) {
        window.select_entry(entry);
        result = window.download_entry();
      }
    }
    r.seconds = seconds_since();
    r.asked_s = static_cast<double>(clock.asked_us) / 1e6;
    r.rss_kb = peak_rss_kb();
    const fs::path written = c.job == "upload" ? storage / "Java" / "05.jar" : home / "saved.bin";
    const Bytes expected = c.job == "upload" ? read_bytes(home / "bench.jar") : content;  // the JAR as sent
    r.ok = ok && result == lg81xx::JobResult::ok && fs::exists(written) && read_bytes(written) == expected;
  }
  if (r.rss_kb == 0) r.rss_kb = peak_rss_kb();
  window.connect_or_disconnect();  // hang up
  port.close();
  int status = 0;
  kill(phone, SIGTERM);  // the hold pipe closes only when this process ends
  waitpid(phone, &status, 0);
  fs::remove_all(home);
  fs::remove_all(storage);
  return r;
}

// Forks the case, reads its result line.
std::optional<Result> run_in_child(const Case& c) {
  int out[2];
  if (pipe(out) != 0) return std::nullopt;
  std::cout.flush();
  const pid_t pid = fork();
  if (pid == 0) {
    close(out[0]);
    int code = 0;
    std::string line;
    try {
      const Result r = run_case(c);
      std::ostringstream s;
      s << r.ok << ' ' << r.seconds << ' ' << r.asked_s << ' ' << r.rss_kb << '\n';
      line = s.str();
    } catch (const std::exception& e) {
      std::cerr << "case failed: " << e.what() << '\n';
      code = 1;
    }
    if (!line.empty() && write(out[1], line.data(), line.size()) < 0) code = 1;
    _exit(code);
  }
  close(out[1]);
  std::string text;
  char buf[256];
  ssize_t n;
  while ((n = read(out[0], buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  std::istringstream s(text);
  Result r;
  if (!(s >> r.ok >> r.seconds >> r.asked_s >> r.rss_kb)) return std::nullopt;
  return r;
}

std::vector<std::string> split(const std::string& text) {
  std::vector<std::string> out;
  std::stringstream s(text);
  std::string item;
  while (std::getline(s, item, ',')) out.push_back(item);
  return out;
}

std::string line_name(int baud) { return baud > 0 ? std::to_string(baud) : "unthrottled"; }

void usage() {
  std::cerr << "usage: lg81xx_transfer_bench [--quick] [--sizes KB,..] [--modes classic,fast] "
               "[--bauds 115200,0] [--jobs upload,download] [--no-connect]\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::size_t> sizes_kb{64, 300, 1024};
  std::vector<std::string> modes{"classic", "fast"}, jobs{"upload", "download", "backup"};
  std::vector<int> bauds{115200, 0};
  bool connect = true;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == "--quick") {
      sizes_kb = {64};
      jobs = {"upload", "download"};
    } else if (a == "--sizes" && has_value) {
      sizes_kb.clear();
      for (const auto& s : split(argv[++i])) sizes_kb.push_back(std::stoul(s));
    } else if (a == "--modes" && has_value) {
      modes = split(argv[++i]);
    } else if (a == "--bauds" && has_value) {
      bauds.clear();
      for (const auto& s : split(argv[++i])) bauds.push_back(std::stoi(s));
    } else if (a == "--jobs" && has_value) {
      jobs = split(argv[++i]);
    } else if (a == "--no-connect") {
      connect = false;
    } else {
      usage();
      return 2;
    }
  }

  int failures = 0;
  if (connect) {
    const auto r = run_in_child({"connect", 0, 0, true});
    if (!r || !r->ok) ++failures;
    if (r)
      std::printf("connect + Java listing, fast, unthrottled: %.3f s (target < 0.3 s)%s\n\n", r->seconds,
                  r->ok ? "" : "  FAILED");
  }

  std::printf("%-8s %7s %-11s %-7s %9s %9s %11s %7s %8s %9s %8s\n", "job", "KB", "line", "mode", "seconds", "bytes/s",
              "line share", "waits s", "vs waits", "speed-up", "peak MB");
  std::map<std::string, double> classic_seconds;
  for (const auto& job : jobs)
    for (std::size_t kb : job == "backup" ? std::vector<std::size_t>{kBackupBytes / 1024} : sizes_kb)
      for (int baud : bauds)
        for (const auto& mode : modes) {
          if (job == "backup" && mode != "fast") continue;  // 200 files in classic mode: most of an hour
          const Case c{job, kb * 1024, baud, mode == "fast"};
          const auto r = run_in_child(c);
          const std::string key = job + std::to_string(kb) + line_name(baud);
          if (!r) {
            std::printf("%-8s %7zu %-11s %-7s   (no result)\n", job.c_str(), kb, line_name(baud).c_str(), mode.c_str());
            ++failures;
            continue;
          }
          if (!r->ok) ++failures;
          const double rate = static_cast<double>(c.size) / r->seconds;
          char share[16] = "-", versus[16] = "-", speed_up[16] = "-";
          if (baud > 0) std::snprintf(share, sizeof share, "%.1f %%", 100.0 * rate / (baud / 10.0));
          if (!c.fast) {
            classic_seconds[key] = r->seconds;
            std::snprintf(versus, sizeof versus, "%+.1f %%", 100.0 * (r->seconds / r->asked_s - 1.0));
          } else if (classic_seconds.count(key)) {
            std::snprintf(speed_up, sizeof speed_up, "%.1f x", classic_seconds[key] / r->seconds);
          }
          std::printf("%-8s %7zu %-11s %-7s %9.2f %9.0f %11s %7.1f %8s %9s %8.1f%s\n", job.c_str(), kb,
                      line_name(baud).c_str(), mode.c_str(), r->seconds, rate, share, r->asked_s, versus, speed_up,
                      static_cast<double>(r->rss_kb) / 1024.0, r->ok ? "" : "  FAILED");
          std::fflush(stdout);
        }
  std::printf(
      "\nline share: of %.0f bytes/s at 115200 8N1; waits s: the sleeps the waits asked for (classic: "
      "the predicted time); vs waits: measured against that prediction; backup: %d files in one folder, "
      "fast mode only\n",
      kLineRate, kBackupFiles);
  return failures == 0 ? 0 : 1;
}
