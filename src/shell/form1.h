#pragma once
// Form1: the headless model of the one window. It keeps the window's controls, owns the
// Phone, and has one handler per user action; each handler reads the controls, runs the
// job on the Phone with plain values, shows what the window shows and returns how the job
// ended. The Qt view, the command line and the tests drive these handlers and read the
// window through controls() and the accessors; the user's input comes in through the
// setters.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "phone/events.h"
#include "phone/java_install.h"
#include "phone/phone.h"
#include "platform/archiver.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/serial_port.h"
#include "platform/user_interface.h"
#include "shell/controls.h"
#include "shell/message_table.h"

namespace lg81xx {

struct Platform {
  SerialPort& port;
  Clock& clock;
  UserInterface& ui;
  Archiver& archiver;
  Files& files;
};

enum class StartResult { ok, fatal };

// One of several entries downloaded into a folder: where it went and how it ended.
struct EntrySaved {
  std::string entry;
  std::filesystem::path path;  // empty when the entry's name gives no file name
  JobResult result = JobResult::ok;
  SaveResult saved = SaveResult::ok;  // what the file's side met, for a local_file result
};
// Why `done` was not saved, in the window's words.
std::string why_not_saved(const EntrySaved& done, Family family);

class Form1 final : private PhoneEvents {
 public:
  static constexpr int kKeepAliveIntervalMs = 3000;  // Timer1

  Form1(Platform platform, std::filesystem::path home);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // ---- what the window shows ----
  const Controls& controls() const { return controls_; }
  const std::string& model() const { return controls_.Combo1.text; }
  const std::string& imei() const { return controls_.Label3.caption; }
  const std::string& information() const { return controls_.Label4.caption; }
  const std::string& position() const { return controls_.Text1.text; }
  const std::vector<std::string>& folders() const { return controls_.List1.items; }
  const std::vector<std::string>& entries() const { return controls_.List2.items; }
  const Label& progress_bar() const { return controls_.Label5; }
  // The descriptor and archive that "Carica JAD e JAR" read for the install.
  const Bytes& descriptor() const { return jad_; }
  const Bytes& archive() const { return jar_; }
  bool fast() const { return phone_.link().mode() == WaitMode::fast; }
  const Phone& phone() const { return phone_; }
  Phone& phone() { return phone_; }

  // ---- the user's input ----
  // Combo1 takes one of the four models (or nothing), Combo2 any device; neither changes
  // while connected or while a job runs. False when the choice was not taken.
  bool choose_model(std::string text);  // Combo1
  bool choose_port(std::string text);   // Combo2
  bool choices_locked() const { return phone_.is_open() || !activity_.empty(); }
  // Adds the port items not yet in Combo2.
  void offer_ports(const std::vector<std::string>& items);
  // The same at the top of Combo2, before the twenty COM items: the phones' cables.
  void offer_first(const std::vector<std::string>& items);
  // Text1, changed by the user or by a job: the window checks the text on every change.
  void set_position_text(std::string text);
  void set_nokia(bool ticked);
  void select_sound(std::string_view control);  // mes1 .. batt; any other name clears the choice
  void select_folder(int row);                  // List1
  void select_entry(int row);                   // List2
  void choose_entries(std::vector<int> rows);   // List2, several rows chosen together
  // "Trasferimento veloce": waits that end as soon as a reply is complete.
  void set_fast(bool fast);
  // "Annulla" (Ctrl-C at a terminal, the window closed during a job): the job under way
  // stops after the exchange it is in, closes the session and saves nothing partial.
  // Callable from any thread, and from a signal handler.
  void request_cancel() { phone_.request_cancel(); }
  // A new job starts: a cancel that came too late for the job before it is dropped.
  void forget_cancel() { phone_.link().clear_cancel(); }

  // ---- one handler per user action ----
  StartResult start_up();             // the window opens
  JobResult connect_or_disconnect();  // Command1 "Connetti/Disconnetti"
  // The window closes: an open session is ended with the disconnect frame.
  void hang_up();
  // Timer1, every kKeepAliveIntervalMs: a keep-alive while the line is free. True when
  // one went out.
  bool keep_alive_tick();
  JobResult propose_position();  // the Java list read after a connect proposes Text1
  JobResult open_folder();       // List1 double-click: the folder's entries into List2
  // Command7 "DownLoad": the entry chosen in List2; several go into a folder the user chooses.
  JobResult download_entry();
  // The same for an entry given by name, listed or not.
  JobResult download_named(const std::string& folder, const std::string& entry);
  // Several entries of `folder` into the folder `dir`, on the open session: each under its
  // safe name, saved as download_named saves it (a question before a file there is
  // replaced; complete or not at all). `each` hears of every entry as it ends. A cancel or
  // a phone that no longer answers ends it: the entries after it are not tried.
  std::vector<EntrySaved> download_into(const std::string& folder, const std::vector<std::string>& entries,
                                        const std::filesystem::path& dir,
                                        const std::function<void(const EntrySaved&)>& each = {});
  JobResult load_application();     // Command2 "Carica JAD e JAR"
  JobResult install_application();  // Command3 "INVIA"
  JobResult probe_message_tone();   // Command4
  JobResult replace_sound();        // Command5 "Carica Nuovo Suono"
  // "Invia file al telefono": a file chosen on the computer into the folder of List1,
  // whose listing is then read again.
  JobResult send_file();
  // The same for `content`, sent as `name` into `folder`.
  JobResult send_named(const std::string& folder, const std::string& name, const Bytes& content);

 private:
  // A job under way, from construction to destruction: the status line names it, and
  // model and port stay as they are. A job inside another names itself, then the outer one
  // again.
  class Underway {
   public:
    Underway(Form1& form, std::string what);
    ~Underway();
    Underway(const Underway&) = delete;
    Underway& operator=(const Underway&) = delete;

   private:
    Form1& form_;
    std::string outer_;
  };

  // The status line and the lock of model and port, after the connection or the job changed.
  void show_where_it_stands();

  // PhoneEvents: the lamp ledr and the progress bar Label5, drawn at once.
  void lamp(bool red) override;
  void progress(std::uint64_t done, std::uint64_t total) override;

  void set_progress(double width);
  void set_progress_done();  // "100%" and the full width
  // List2 shows `entries` of `folder`, and List1 marks that folder.
  void show_entries(const std::vector<std::string>& entries, const std::string& folder);
  JobResult read_java_list();
  void release_pair();
  // Shows the table's message for how `job` ended (with `detail` after it) and returns
  // `result`.
  JobResult report(Job job, JobResult result, const std::string& detail = "");
  // Ends a job that the phone never heard of, with `text` in an error box.
  JobResult stop(const std::string& text, JobResult result = JobResult::bad_input);
  // True when the port is open; otherwise reports `job` as not connected.
  bool require_connection(Job job);
  // A job the user stopped: the phone hears goodbye, the port is free, and the window
  // shows what a disconnect shows.
  void close_stopped_session();
  JobResult report_install(const Outcome<InstallStep>& installed);
  JobResult connect_failed(JobResult result, ConnectStep step, const std::string& phone_model);
  // The entry fetched whole, or how the fetch ended; a cancel that came with the last
  // block still counts.
  Outcome<Bytes> fetch(const std::string& folder, const std::string& entry);
  // Saves a download where the user chose, asking before a file there is replaced.
  JobResult save_download(const std::string& path, const Bytes& content);
  // The same without a message: nothing when the user keeps the file that is there.
  std::optional<SaveResult> save_asking(const std::filesystem::path& path, const Bytes& content, Replace replace);
  // `taken`: the file names this run has given out already.
  EntrySaved download_one_into(const std::string& folder, const std::string& entry, const std::filesystem::path& dir,
                               std::set<std::string>& taken);
  // "DownLoad" with several entries chosen: into a folder, then one message for them all.
  JobResult download_several(const std::vector<std::string>& entries);

  Platform platform_;
  std::filesystem::path home_;
  Controls controls_;
  Phone phone_;
  std::string device_;    // the device the port was opened on
  std::string activity_;  // the job under way, as the status line names it; empty between jobs
  Bytes jad_;
  Bytes jar_;
  // The rows of the last "Java" listing, and the applications installed since: which
  // positions hold one.
  std::vector<std::string> java_rows_;
  std::string listed_folder_;  // the folder whose entries List2 shows
};

}  // namespace lg81xx
