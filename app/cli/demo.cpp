// demo: every job against the built-in virtual phone, each with its expected result.
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#include "commands.h"
#include "home_folder.h"
#include "jobs/application.h"
#include "jobs/fetch.h"
#include "jobs/sounds.h"
#include "sample_content.h"
#include "stop_signals.h"
#include "trace_log.h"
#include "virtual_phone.h"

namespace lg81xx::cli {
namespace fs = std::filesystem;
namespace {

// A scratch folder for the phone's storage and the demo's files, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device seed;
    path_ = fs::temp_directory_path() / ("lg81xx-demo-" + std::to_string(::getpid()) + "-" + std::to_string(seed()));
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::optional<Bytes> file_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool write_bytes(const fs::path& path, const Bytes& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  return static_cast<bool>(out);
}

std::string joined(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : ", ") + item;
  return out;
}

bool contains(const std::vector<std::string>& items, const std::string& item) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

// One step of the demo: its title, then "ok" or "FAILED" with what was seen.
class Steps {
 public:
  explicit Steps(std::ostream& out) : out_(out) {}
  void begin(const std::string& title) {
    ++number_;
    out_ << "\n" << number_ << ". " << title << "\n" << std::flush;
  }
  bool check(bool passed, const std::string& seen, int status_if_failed = kBadInput) {
    out_ << "   " << (passed ? "ok:     " : "FAILED: ") << seen << "\n" << std::flush;
    if (!passed && status_ == kSuccess) status_ = status_if_failed == kSuccess ? kBadInput : status_if_failed;
    return passed;
  }
  int status() const { return status_; }

 private:
  std::ostream& out_;
  int number_ = 0;
  int status_ = kSuccess;
};

struct DemoPhone {
  std::string model;
  fs::path storage;
  std::string picture_folder;
  sim::PhoneOptions defaults;
};

// The demo's session and what its connect learned.
struct DemoRun {
  Session& session;
  TerminalListener& listener;
  PhoneFacts facts;
};

void connect_step(Steps& steps, DemoRun& run, const DemoPhone& phone) {
  steps.begin("Connect (Connetti/Disconnetti) to the virtual " + phone.model);
  const auto connected = run.session.connect(phone.model);
  run.facts = connected.value;
  const PhoneFacts& facts = run.facts;
  const std::string position = facts.java ? facts.java->position.value_or("") : "";
  const bool as_expected = connected.ok() && facts.imei == phone.defaults.imei && !facts.information.empty() &&
                           contains(facts.folders, phone.picture_folder) && !facts.folders.empty() &&
                           facts.folders.back() == "Java" && position == "01";
  steps.check(as_expected,
              "IMEI " + facts.imei.value_or("not read") + "; information \"" + facts.information + "\"; folders " +
                  joined(facts.folders) + "; Java position " + position,
              connected.ok() ? kBadInput : exit_status_for(connected.result));
}

void list_step(Steps& steps, DemoRun& run, const DemoPhone& phone, std::ostream& err) {
  steps.begin("List the folder " + phone.picture_folder + " (double-click on List1)");
  const auto listed = list_phone_folder(run.session, run.facts, phone.picture_folder, run.listener, err);
  steps.check(listed.ok() && contains(listed.value, "lago.jpg"), "entries: " + joined(listed.value),
              exit_status_for(listed.result));
}

void install_step(Steps& steps, DemoRun& run, const DemoPhone& phone, const fs::path& scratch) {
  const auto midlet = sim::sample_midlet();
  steps.begin("Install the sample MIDlet " + midlet.name + " (Carica JAD e JAR, then INVIA)");
  fs::path jad, jar;
  if (!sim::write_sample_midlet(scratch, jad, jar)) {
    steps.check(false, "cannot write the sample MIDlet into " + scratch.string(), kLocalFile);
    return;
  }
  auto& jobs = run.session.jobs();
  const auto loaded = load_application(jobs, {jad, jar, false, run.session.home()});
  if (loaded.message) run.listener.print(*loaded.message);
  const JavaList java = run.facts.java.value_or(JavaList{});
  const std::string nn = java.position.value_or("");  // the position the connect proposed
  const auto installed = install_application(jobs, {loaded.value, nn, java.rows, WhenExists::ask});
  if (installed.ok()) run.listener.progress_done();
  const int status = finish(run.listener, installed);
  const auto folder = phone.storage / "Java";
  const bool same =
      file_bytes(folder / (nn + ".jad")) == midlet.jad && file_bytes(folder / (nn + ".jar")) == midlet.jar;
  const bool manifest = fs::exists(folder / (nn + ".mnf"));
  steps.check(status == kSuccess && same && manifest,
              "position " + nn + ": " + nn + ".jad, " + nn + ".jar and " + nn + ".mnf on the phone" +
                  (same ? ", JAD and JAR identical to the originals" : ", but they differ from the originals"),
              status);
}

void sound_step(Steps& steps, DemoRun& run, const DemoPhone& phone, const fs::path& scratch) {
  steps.begin("Replace the system sound mes1, Messaggio Tipo 1 (Carica Nuovo Suono)");
  const Bytes tune = sim::sample_tune(11);
  const auto file = scratch / "nuovo-messaggio.mid";
  if (!write_bytes(file, tune)) {
    steps.check(false, "cannot write " + file.string(), kLocalFile);
    return;
  }
  const auto replaced_sound = replace_sound(run.session.jobs(), {"mes1", file, std::nullopt});
  const int status = finish(run.listener, replaced_sound);
  if (replaced_sound.ok()) run.listener.progress_done();
  const bool replaced = file_bytes(phone.storage / "MessageTone" / "Message1.mid") == tune;
  steps.check(status == kSuccess && replaced,
              std::string("../MessageTone/Message1.mid ") +
                  (replaced ? "now holds the new tune (" + std::to_string(tune.size()) + " bytes)" : "is unchanged"),
              status);
}

void download_step(Steps& steps, DemoRun& run, const DemoPhone& phone, const fs::path& scratch, std::ostream& err) {
  steps.begin("Download " + phone.picture_folder + "/lago.jpg (DownLoad) and compare it with the original");
  const auto listed = list_phone_folder(run.session, run.facts, phone.picture_folder, run.listener, err);
  if (!listed.ok()) {
    steps.check(false, "the folder could not be listed", exit_status_for(listed.result));
    return;
  }
  if (!contains(listed.value, "lago.jpg")) {
    steps.check(false, "lago.jpg is not listed");
    return;
  }
  const auto saved = scratch / "lago.jpg";
  const auto fetched = fetch_to_file(run.session.jobs(), {{phone.picture_folder, "lago.jpg"}, saved, WhenExists::ask});
  if (fetched.ok()) run.listener.progress_done();
  const int status = finish(run.listener, fetched);
  const auto got = file_bytes(saved);
  const Bytes original = sim::sample_picture();
  steps.check(status == kSuccess && got == original,
              got ? std::to_string(got->size()) + " bytes saved, " +
                        (got == original ? "identical to" : "differing from") + " the phone's " +
                        std::to_string(original.size()) + " bytes"
                  : std::string("nothing saved"),
              status);
}

// The demo itself; everything it makes lives in `scratch` or below this call, so that
// it is gone however the call ends.
int demo_steps(const GlobalOptions& options, Terminal& term, Clock& clock) {
  ScratchFolder scratch;
  DemoPhone phone{
      options.model, scratch.path() / "phone", family_of(options.model) == Family::u813 ? "Images" : "Immagini", {}};
  const auto home = prepare_home(options.home ? options.home : std::optional<fs::path>(scratch.path() / "program"),
                                 options.program_folder, options.user_folder, options.data_folders);
  if (home.path.empty()) {
    term.err << "lg81xx-cli: " << home.error << "\n";
    return kLocalFile;
  }
  if (!sim::fill_sample_content(phone.storage, phone.model)) {
    term.err << "lg81xx-cli: cannot write the sample content into " << phone.storage.string() << "\n";
    return kLocalFile;
  }
  term.out << "lg81xx demo: the virtual " << phone.model << " with sample content in " << phone.storage.string() << "\n"
           << std::flush;

  std::string why;
  auto line = virtual_line(phone.model, phone.storage, why);
  if (!line) {
    term.err << "lg81xx-cli: cannot start the virtual phone: " << why << "\n";
    return kNoAnswer;
  }
  TraceFile trace;  // outlives the session that writes to it
  if (const int opened = open_traces(trace, options, term.err, home.path); opened != kSuccess) return opened;
  TerminalListener listener(term.err, term.terminal);
  Session session(*line, listener, home.path, &clock);
  if (!session.start()) return kLocalFile;
  session.jobs().phone().link().set_mode(options.fast ? WaitMode::fast : WaitMode::classic);
  trace.attach(session.jobs().phone().link(), session.clock());

  Steps steps(term.out);
  DemoRun run{session, listener, {}};
  connect_step(steps, run, phone);
  if (steps.status() == kSuccess) {
    list_step(steps, run, phone, term.err);
    install_step(steps, run, phone, scratch.path());
    sound_step(steps, run, phone, scratch.path());
    download_step(steps, run, phone, scratch.path(), term.err);
  }
  steps.begin("Disconnect (Connetti/Disconnetti)");
  session.disconnect();
  steps.check(!line->port().is_open(), "the port is closed");

  term.out << "\n"
           << (steps.status() == kSuccess ? "demo: every step gave the expected result"
                                          : "demo: some steps did not give the expected result")
           << "\n";
  return checked_trace(trace, term.err, steps.status());
}

}  // namespace

int run_demo(const GlobalOptions& options, Terminal& term) {
  // Ctrl-C ends the demo at its next wait; the unwinding removes the temporary folder.
  StopSignals signals;
  StoppableClock clock(signals);
  int status = kSuccess;
  try {
    status = demo_steps(options, term, clock);
  } catch (const Stopped&) {}
  if (const int signal = signals.received(); signal != 0) {
    term.err << "lg81xx-cli: demo stopped (" << strsignal(signal) << "); its temporary folder is removed\n";
    return 128 + signal;
  }
  return status;
}

}  // namespace lg81xx::cli
