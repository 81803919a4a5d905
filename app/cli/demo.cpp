// demo: every job against the built-in virtual phone, each with its expected result.
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#include "commands.h"
#include "exit_status.h"
#include "home_folder.h"
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

void connect_step(Steps& steps, Session& session, const DemoPhone& phone) {
  const Form1& form = session.form();
  steps.begin("Connect (Connetti/Disconnetti) to the virtual " + phone.model);
  const JobResult connected = session.connect();
  const bool as_expected = connected == JobResult::ok && form.imei() == phone.defaults.imei &&
                           !form.information().empty() && contains(form.folders(), phone.picture_folder) &&
                           form.folders().back() == "Java" && form.position() == "01";
  steps.check(as_expected,
              "IMEI " + form.imei() + "; information \"" + form.information() + "\"; folders " +
                  joined(form.folders()) + "; Java position " + form.position(),
              connected == JobResult::ok ? kBadInput : exit_status_for(connected));
}

void list_step(Steps& steps, Form1& form, const DemoPhone& phone, std::ostream& err) {
  steps.begin("List the folder " + phone.picture_folder + " (double-click on List1)");
  const int status = list_folder(form, phone.picture_folder, err);
  steps.check(status == kSuccess && contains(form.entries(), "lago.jpg"), "entries: " + joined(form.entries()), status);
}

void install_step(Steps& steps, Form1& form, CliUi& ui, const DemoPhone& phone, const fs::path& scratch) {
  const auto midlet = sim::sample_midlet();
  steps.begin("Install the sample MIDlet " + midlet.name + " (Carica JAD e JAR, then INVIA)");
  fs::path jad, jar;
  if (!sim::write_sample_midlet(scratch, jad, jar)) {
    steps.check(false, "cannot write the sample MIDlet into " + scratch.string(), kLocalFile);
    return;
  }
  ui.answer_open_dialogs({jad, jar});
  form.set_nokia(false);
  form.load_application();
  const std::string nn = form.position();  // the install proposes the next one
  const int status = exit_status_for(form.install_application());
  const auto java = phone.storage / "Java";
  const bool same = file_bytes(java / (nn + ".jad")) == midlet.jad && file_bytes(java / (nn + ".jar")) == midlet.jar;
  const bool manifest = fs::exists(java / (nn + ".mnf"));
  steps.check(status == kSuccess && same && manifest,
              "position " + nn + ": " + nn + ".jad, " + nn + ".jar and " + nn + ".mnf on the phone" +
                  (same ? ", JAD and JAR identical to the originals" : ", but they differ from the originals"),
              status);
}

void sound_step(Steps& steps, Form1& form, CliUi& ui, const DemoPhone& phone, const fs::path& scratch) {
  steps.begin("Replace the system sound mes1, Messaggio Tipo 1 (Carica Nuovo Suono)");
  const Bytes tune = sim::sample_tune(11);
  const auto file = scratch / "nuovo-messaggio.mid";
  if (!write_bytes(file, tune)) {
    steps.check(false, "cannot write " + file.string(), kLocalFile);
    return;
  }
  form.select_sound("mes1");
  ui.answer_open_dialogs({file});
  const int status = exit_status_for(form.replace_sound());
  const bool replaced = file_bytes(phone.storage / "MessageTone" / "Message1.mid") == tune;
  steps.check(status == kSuccess && replaced,
              std::string("../MessageTone/Message1.mid ") +
                  (replaced ? "now holds the new tune (" + std::to_string(tune.size()) + " bytes)" : "is unchanged"),
              status);
}

void download_step(Steps& steps, Form1& form, CliUi& ui, const DemoPhone& phone, const fs::path& scratch,
                   std::ostream& err) {
  steps.begin("Download " + phone.picture_folder + "/lago.jpg (DownLoad) and compare it with the original");
  if (const int listed = list_folder(form, phone.picture_folder, err); listed != kSuccess) {
    steps.check(false, "the folder could not be listed", listed);
    return;
  }
  const auto& entries = form.entries();
  const auto it = std::find(entries.begin(), entries.end(), "lago.jpg");
  if (it == entries.end()) {
    steps.check(false, "lago.jpg is not listed");
    return;
  }
  form.select_entry(static_cast<int>(it - entries.begin()));
  const auto saved = scratch / "lago.jpg";
  ui.answer_save_dialog(saved);
  const int status = exit_status_for(form.download_entry());
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
  if (options.trace && !trace.open(*options.trace)) {
    term.err << "lg81xx-cli: cannot write the trace file " << options.trace->string() << "\n";
    return kLocalFile;
  }
  CliUi ui(term.err, term.terminal);
  Session session(*line, ui, home.path, &clock);
  if (!session.start(phone.model, line->port_text())) return kLocalFile;
  Form1& form = session.form();
  form.set_fast(options.fast);
  if (options.trace) trace.attach(form.phone().link(), session.clock());

  Steps steps(term.out);
  connect_step(steps, session, phone);
  if (steps.status() == kSuccess) {
    list_step(steps, form, phone, term.err);
    install_step(steps, form, ui, phone, scratch.path());
    sound_step(steps, form, ui, phone, scratch.path());
    download_step(steps, form, ui, phone, scratch.path(), term.err);
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
