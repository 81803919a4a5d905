// Golden transcripts: every job on both families against the in-process virtual phone on
// virtual time. A transcript holds the frames sent and received (as --trace writes them),
// what the window shows at each repaint, dialog and message box, the pointer, and how each
// job ended. The files beside this one must stay byte-identical;
// LG81XX_UPDATE_GOLDEN=1 rewrites them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "gui/widget_names.h"
#include "phone_port.h"
#include "platform/files.h"
#include "platform/zip/zip_archiver.h"
#include "sample_content.h"
#include "shell/window_model.h"
#include "support/temp_dir.h"
#include "trace_log.h"

namespace lg81xx::testing {
namespace {

namespace fs = std::filesystem;
using State = std::map<std::string, std::string>;

std::string stamp(const Clock& clock) {
  char text[32];
  const long long ms = clock.now_ms();
  std::snprintf(text, sizeof text, "%8lld.%03lld", ms / 1000, ms % 1000);
  return text;
}

std::string list_text(const ListBox& list) {
  std::string out = "[";
  for (const auto& item : list.items) out += (out.size() > 1 ? ", " : "") + item;
  return out + "]" + (list.selected_row >= 0 ? " @" + std::to_string(list.selected_row) : "");
}

const char* result_text(JobResult r) {
  static constexpr const char* kNames[] = {"ok",         "no reply",      "refused",    "bad input",
                                           "local file", "not connected", "cancelled",  "link lost",
                                           "busy",       "bad reply",     "interrupted"};
  return kNames[static_cast<int>(r)];
}

// The window's side: writes every message, dialog, pointer change and change of what
// the window shows (at each moment the window draws) into the transcript.
class Recorder final : public UserInterface {
 public:
  Recorder(std::ostream& out, const Clock& clock) : out_(out), clock_(clock) {}
  std::function<State()> visible;
  std::deque<std::optional<fs::path>> answers;
  fs::path home;  // written as HOME: the transcript is the same on every run

  void message_box(const std::string& text, MessageStyle style, const std::string& title) override {
    show();
    const char* kind = style == MessageStyle::critical      ? "critical"
                       : style == MessageStyle::warning     ? "warning"
                       : style == MessageStyle::information ? "information"
                                                            : "plain";
    std::string shown = text;
    if (const auto at = shown.find(home.string()); !home.empty() && at != std::string::npos)
      shown.replace(at, home.string().size(), "HOME");
    line("message " + std::string(kind) + " \"" + title + "\": " + shown);
  }
  bool ask(const std::string& text, const std::string& title) override {
    show();
    line("question \"" + title + "\": " + text + " -> no");
    return false;
  }
  std::optional<std::string> open_file(const std::string&, const std::string& filter) override {
    return dialog("open " + filter);
  }
  std::optional<std::string> save_file(const std::string& filter, const std::string& name) override {
    return dialog("save " + filter + " \"" + name + "\"");
  }
  std::optional<std::string> choose_folder() override { return dialog("folder"); }
  void set_busy_pointer(bool busy) override {
    if (busy != busy_) line(busy ? "pointer busy" : "pointer normal");
    busy_ = busy;
  }
  void repaint() override { show(); }

  void show() {
    for (const auto& [name, value] : visible())
      if (shown_[name] != value) line(name + " = " + (shown_[name] = value));
  }
  void line(const std::string& text) { out_ << stamp(clock_) << " :: " << text << "\n"; }

 private:
  std::optional<std::string> dialog(const std::string& what) {
    show();
    std::optional<fs::path> answer;
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
    line(what + " -> " + (answer ? answer->filename().string() : "cancel"));
    if (!answer) return std::nullopt;
    return answer->string();
  }

  std::ostream& out_;
  const Clock& clock_;
  State shown_;
  bool busy_ = false;
};

class Transcript {
 public:
  explicit Transcript(const std::string& model)
      : phone_({model, "354321098765432", storage_.path(), 0}),
        port_(phone_, &clock_),
        ui_(out_, clock_),
        window_(Platform{port_, clock_, ui_, archiver_, files_}, home_.path()),
        model_(model),
        pictures_(family_of(model) == Family::u813 ? "Images" : "Immagini") {
    write_file(home_ / "LG81XX.ini", "MIDP=1\r\n");
    window_.set_data_folder(home_ / "data");  // the phone's own sounds, kept here
    ui_.home = home_.path();
    sim::fill_sample_content(storage_.path(), model);
    fs::path jad, jar;
    sim::write_sample_midlet(home_.path(), jad, jar);
    write_file(home_ / "tune.mid", sim::sample_tune(9));
    write_file(home_ / "vuoto.mid", "");
    write_file(home_ / "noise.bin", Bytes("\x89PNG\r\n\x1A\n\0\0", 10));
    write_file(home_ / "emu/a.class", "a");
    fs::create_directory(home_ / "temp.jar");  // where the copy with emulation classes would go
    Bytes big(6000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = as_char(static_cast<unsigned>(i * 37 + i / 256));
    write_file(storage_ / pictures_ / "grande.bin", big);
    window_.phone().link().set_trace(cli::make_trace(out_, clock_));
    ui_.visible = [this] { return visible(); };
  }

  // Runs one job and writes how it ended.
  void step(const std::string& label, const std::function<JobResult()>& job) {
    const JobResult result = job();
    ui_.show();
    out_ << stamp(clock_) << " == " << label << ": " << result_text(result) << ", " << line_state() << "\n";
  }
  // The same for the steps that have no outcome of their own.
  void action(const std::string& label, const std::function<void()>& job) {
    job();
    ui_.show();
    out_ << stamp(clock_) << " == " << label << ", " << line_state() << "\n";
  }

  void start() {
    action("start", [this] { window_.start_up(); });
    window_.choose_model(model_);
    window_.choose_port("COM  1");
  }
  void connect() {
    step("connect", [this] { return window_.connect_or_disconnect(); });
  }
  void disconnect() {
    step("disconnect", [this] { return window_.connect_or_disconnect(); });
  }
  void tick() {
    action("keep-alive tick", [this] { window_.keep_alive_tick(); });
  }
  void open_folder(const std::string& folder) {
    step("open " + folder, [&] {
      window_.select_folder(index_of(window_.folders(), folder));
      return window_.open_folder();
    });
  }
  void download(const std::string& entry) {
    const fs::path target = home_ / ("saved-" + entry);
    ui_.answers = {target};
    step("download " + entry, [&] {
      window_.select_entry(index_of(window_.entries(), entry));
      return window_.download_entry();
    });
    if (fs::exists(target)) ui_.line("saved " + std::to_string(fs::file_size(target)) + " bytes");
  }
  // An empty name cancels the dialog.
  void load_application(const std::string& jad = "Saluti.jad", const std::string& jar = "Saluti.jar") {
    ui_.answers.clear();
    for (const auto& name : {jad, jar})
      ui_.answers.push_back(name.empty() ? std::nullopt : std::optional(home_ / name));
    step("load application", [this] { return window_.load_application(); });
  }
  void install(const std::string& position = "") {
    step("install" + (position.empty() ? "" : " at " + position), [&] {
      if (!position.empty()) window_.set_position_text(position);
      return window_.install_application();
    });
  }
  void replace_sound(const std::string& control, const std::string& file = "tune.mid") {
    ui_.answers = {file.empty() ? std::nullopt : std::optional(home_ / file)};
    step("replace sound " + control + " with " + (file.empty() ? "nothing" : file), [&] {
      window_.select_sound(control);
      return window_.replace_sound();
    });
  }
  void choose_model(const std::string& model) {
    action("model \"" + model + "\"", [&] { window_.choose_model(model); });
  }
  void set_nokia_emulation(bool ticked) { window_.set_nokia_emulation(ticked); }
  void probe() {
    step("probe", [this] { return window_.probe_message_tone(); });
  }

  sim::VirtualPhone& phone() { return phone_; }
  const std::string& model() const { return model_; }
  const fs::path& storage() const { return storage_.path(); }
  const std::string& pictures() const { return pictures_; }
  std::string text() const { return out_.str(); }

 private:
  static int index_of(const std::vector<std::string>& items, const std::string& item) {
    const auto it = std::find(items.begin(), items.end(), item);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
  }
  std::string line_state() const {
    return !port_.is_open() ? "port closed" : window_.phone().line_free() ? "line free" : "line held";
  }
  State visible() const {
    const Controls& c = window_.controls();
    // Each under the name of the widget that shows it.
    namespace names = gui::names;
    return {{names::kRedLamp, c.lamp_red ? "shown" : "hidden"}, {names::kImei, c.imei.caption},
            {names::kInformation, c.information.caption},       {names::kProgress, c.progress.caption},
            {names::kLoadedArchive, c.loaded_archive.caption},  {names::kPositionBox, c.position_box.text},
            {names::kFoldersList, list_text(c.folders_list)},   {names::kEntriesList, list_text(c.entries_list)}};
  }

  TempDir home_, storage_;
  VirtualClock clock_;
  sim::VirtualPhone phone_;
  sim::PhonePort port_;
  std::ostringstream out_;
  Recorder ui_;
  ZipArchiver archiver_;
  LocalFiles files_;
  WindowModel window_;
  std::string model_;
  std::string pictures_;
};

// Every job once, as a user would run them.
void session(Transcript& t) {
  t.start();
  t.connect();
  t.tick();
  t.open_folder(t.pictures());
  t.download("lago.jpg");
  t.phone().set_faults({.busy_downloads = 2});
  t.download("grande.bin");  // asked again twice, then blocks and continuations
  t.load_application();
  t.replace_sound("mes1");  // the install that follows still sends the application
  t.install();
  t.probe();
  t.tick();
  t.disconnect();
  t.tick();
}

// Files that are not what they claim are refused by name, and leave nothing to install.
void refusals(Transcript& t) {
  t.load_application("Saluti.jar", "Saluti.jad");
  t.load_application("noise.bin", "Saluti.jar");
  t.load_application("Saluti.jar", "Saluti.jar");
  t.load_application("Saluti.jad", "noise.bin");
  t.install("05");
  t.set_nokia_emulation(true);
  t.load_application("Saluti.jad", "noise.bin");
  t.load_application();  // temp.jar is a folder: never replaced
  t.set_nokia_emulation(false);
  t.load_application("");
  t.load_application("Saluti.jad", "");
}

// The cheap ways a job ends badly: refused inputs, a silent phone, a refusal, a lost line.
void failures(Transcript& t) {
  t.start();
  t.open_folder("Java");  // not connected
  t.phone().set_faults({.silent_after = 0});
  t.connect();  // no IMEI: the port is closed again
  t.tick();
  t.phone().set_faults({});
  t.connect();
  t.open_folder(t.pictures());
  t.download("nothing.jpg");  // not listed, so nothing selected
  fs::remove(t.storage() / t.pictures() / "lago.jpg");
  t.download("lago.jpg");  // refused
  refusals(t);
  t.load_application();
  t.install("99");
  t.install(" 5");
  t.install("123");
  t.replace_sound("", "tune.mid");  // no sound chosen
  t.replace_sound("mes1", "");
  t.replace_sound("mes1", "vuoto.mid");
  for (const int answered : {0, 1, 2, 5}) {  // every step of the install unanswered in turn
    t.phone().set_faults({.silent_after = answered});
    t.install("07");
  }
  t.replace_sound("mes1");                    // its read unanswered
  t.phone().set_faults({.silent_after = 1});  // the read answered and kept, the new sound unanswered
  t.replace_sound("mes2");
  t.phone().set_faults({.silent_after = 0});
  t.open_folder("Java");
  t.tick();
  t.probe();
  t.replace_sound("mes1", "");  // however a tried replacement ends, the line is free again
  t.phone().set_faults({.fault_at = 1, .fault = sim::ReplyFault::hang_up});
  t.replace_sound("flip2");
  t.phone().set_faults({});
  t.connect();
  t.phone().set_faults({.fault_at = 1, .fault = sim::ReplyFault::hang_up});
  t.probe();
  t.tick();
  t.install("05");     // not connected
  t.choose_model("");  // the model can change only while the port is closed
  t.install("05");
  t.replace_sound("mes1");
  t.choose_model(t.model());
  t.phone().set_faults({.fault_at = 4, .fault = sim::ReplyFault::refusal});
  t.connect();  // the session request refused: a note, and the connect goes on
  t.disconnect();
}

struct Case {
  const char* file;
  const char* model;
  void (*run)(Transcript&);
};

class Golden : public ::testing::TestWithParam<Case> {};

TEST_P(Golden, TranscriptIsUnchanged) {
  Transcript t(GetParam().model);
  GetParam().run(t);
  const fs::path file = fs::path(LG81XX_GOLDEN_DIR) / GetParam().file;
  if (std::getenv("LG81XX_UPDATE_GOLDEN")) write_file(file, t.text());
  EXPECT_TRUE(fs::exists(file)) << file << " is missing: run with LG81XX_UPDATE_GOLDEN=1";
  EXPECT_EQ(t.text(), read_file(file)) << file;
}

INSTANTIATE_TEST_SUITE_P(Jobs, Golden,
                         ::testing::Values(Case{"session-u8130.txt", "LG U8130", session},
                                           Case{"session-u8110.txt", "LG U8110", session},
                                           Case{"failures-u8138.txt", "LG U8138", failures},
                                           Case{"failures-u8120.txt", "LG U8120", failures}),
                         [](const ::testing::TestParamInfo<Case>& p) {
                           std::string name = p.param.file;
                           return name.substr(0, name.find('.')).replace(name.find('-'), 1, "_");
                         });

}  // namespace
}  // namespace lg81xx::testing
