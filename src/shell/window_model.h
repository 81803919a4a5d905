#pragma once
// WindowModel: the headless model of the one window. It keeps the window's controls and runs the
// jobs (src/jobs) for the user's actions: each handler reads its controls, asks its
// dialogs, calls a job with plain values and shows how it ended. It is the jobs' listener:
// the lamp, the progress, the questions and the warnings on the way reach the window
// through it. The Qt view and the tests drive these handlers and read the window through
// controls() and the accessors; the user's input comes in through the setters.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/bytes.h"
#include "jobs/application.h"
#include "jobs/connect.h"
#include "jobs/job_context.h"
#include "platform/archiver.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/serial_port.h"
#include "platform/system_probe.h"
#include "platform/user_interface.h"
#include "shell/controls.h"
#include "shell/transfer_meter.h"

namespace lg81xx {

struct Platform {
  SerialPort& port;
  Clock& clock;
  UserInterface& ui;
  Archiver& archiver;
  Files& files;
};

enum class StartResult { ok, fatal };

class WindowModel final : private JobListener {
 public:
  static constexpr int kKeepAliveIntervalMs = 3000;  // the keep-alive timer

  WindowModel(Platform platform, std::filesystem::path home);
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;

  // ---- what the window shows ----
  const Controls& controls() const { return controls_; }
  const std::string& model() const { return controls_.model_box.text; }
  const std::string& imei() const { return controls_.imei.caption; }
  const std::string& information() const { return controls_.information.caption; }
  const std::string& position() const { return controls_.position_box.text; }
  const std::vector<std::string>& folders() const { return controls_.folders_list.items; }
  const std::vector<std::string>& entries() const { return controls_.entries_list.items; }
  const ProgressBar& progress_bar() const { return controls_.progress; }
  // The descriptor and archive that "Carica JAD e JAR" read for the install.
  const Bytes& descriptor() const { return pair_.descriptor; }
  const Bytes& archive() const { return pair_.archive; }
  bool fast() const { return phone().link().mode() == WaitMode::fast; }
  const Phone& phone() const { return jobs_.phone(); }
  Phone& phone() { return jobs_.phone(); }

  // ---- the user's input ----
  // The model box takes one of the four models (or nothing), the port box any device;
  // neither changes while connected or while a job runs. False when the choice was not
  // taken.
  bool choose_model(std::string text);
  bool choose_port(std::string text);
  bool choices_locked() const { return phone().is_open() || !activity_.empty(); }
  // Adds the port items not yet in the port box.
  void offer_ports(const std::vector<std::string>& items);
  // The same at the top of the port box, before the twenty COM items: the phones' cables.
  void offer_first(const std::vector<std::string>& items);
  // The position box, changed by the user or by a job: the window checks the text on every
  // change.
  void set_position_text(std::string text);
  // "ABILITA EMULAZIONE NOKIA MIDP".
  void set_nokia_emulation(bool ticked);
  void select_sound(std::string_view sound);   // mes1 .. batt; any other name clears the choice
  void select_folder(int row);                 // in the folders list
  void select_entry(int row);                  // in the entries list
  void choose_entries(std::vector<int> rows);  // several rows of the entries list together
  // "Trasferimento veloce": waits that end as soon as a reply is complete.
  void set_fast(bool fast);
  // "Annulla" (Ctrl-C at a terminal, the window closed during a job): the job under way
  // stops after the exchange it is in, closes the session and saves nothing partial.
  // Callable from any thread, and from a signal handler.
  void request_cancel() { jobs_.request_cancel(); }
  // A new job starts: a cancel that came too late for the job before it is dropped.
  void forget_cancel() { jobs_.forget_cancel(); }

  // ---- one handler per user action ----
  StartResult start_up();             // the window opens
  JobResult connect_or_disconnect();  // "Connetti/Disconnetti"
  // The window closes: an open session is ended with the disconnect frame.
  void hang_up();
  // The keep-alive timer, every kKeepAliveIntervalMs: a keep-alive while the line is free.
  // True when one went out.
  bool keep_alive_tick();
  JobResult propose_position();  // the Java list read again proposes the position
  JobResult open_folder();       // a double-click on a folder: its entries into the entries list
  // "DownLoad": the entry chosen in the entries list; several go into a folder the user
  // chooses.
  JobResult download_entry();
  // The same for an entry given by name, listed or not.
  JobResult download_named(const std::string& folder, const std::string& entry);
  JobResult load_application();  // "Carica JAD e JAR"
  // A descriptor and an archive dropped together on the tab: loaded as the button loads
  // the files its dialogs give.
  JobResult load_dropped_application(const std::string& descriptor, const std::string& archive);
  JobResult install_application();  // "INVIA"
  JobResult probe_message_tone();   // the read probe's button
  JobResult replace_sound();        // "Carica Nuovo Suono"
  // A file dropped on the sounds tab: taken for the chosen sound as if picked in the dialog.
  JobResult replace_sound_with(const std::string& path);
  // "Invia file al telefono": a file chosen on the computer into the folder chosen in the
  // folders list, whose listing is then read again.
  JobResult send_file();
  // "Backup del telefono…": every folder of the phone into a folder the user chooses, only
  // what its archive does not hold yet; a summary at the end.
  JobResult back_up_phone();
  // "Ripristina dal backup…": the files of an archive the user chooses that the phone
  // lacks; what the phone holds of the same name is kept and named in the summary.
  JobResult restore_from_backup();
  // "Ripristina suono originale": the selected sound's kept original sent back.
  JobResult restore_original_sound();
  // "Diagnosi della connessione…": the ports and what stands in the chosen one's way; with
  // no session open, whether a phone answers there (a connect tried as each family).
  JobResult diagnose_connection(SystemProbe& probe);

  // Where the phone's own sounds are kept before their first replacement (by default the
  // user's data folder, jobs/sounds.h).
  void set_data_folder(std::filesystem::path folder) { data_folder_ = std::move(folder); }

  // Files dropped on the entries list: each sent into the folder whose entries it shows,
  // as "Invia file al telefono" sends one.
  JobResult send_dropped_files(const std::vector<std::string>& paths);

 private:
  // A job under way, from construction to destruction: the status line names it, and
  // model and port stay as they are. A job inside another names itself, then the outer one
  // again.
  class Underway {
   public:
    Underway(WindowModel& window, std::string what);
    ~Underway();
    Underway(const Underway&) = delete;
    Underway& operator=(const Underway&) = delete;

   private:
    WindowModel& window_;
    std::string outer_;
  };

  // What the window does once the job it called has passed its checks: the status line
  // names the job, and with `busy` the pointer turns busy. Both end with this.
  class Working {
   public:
    // `first`: what the window changes just before it names the job.
    Working(WindowModel& window, std::string what, bool busy, std::function<void()> first = {});
    ~Working();
    Working(const Working&) = delete;
    Working& operator=(const Working&) = delete;
    // The pointer normal again before the job's end is shown (or after it, by the caller).
    void normal();
    // True once the job passed its checks.
    bool started() const { return underway_.has_value(); }

   private:
    WindowModel& window_;
    std::string what_;
    bool busy_;
    std::optional<Underway> underway_;
  };

  // The status line and the lock of model and port, after the connection or the job changed.
  // A session that is over leaves nothing of the phone on show.
  void show_where_it_stands();
  // The phone's values, its folders and the entries listed: gone with the session.
  void forget_session();

  // JobListener: the lamp and the progress bar drawn at once, the questions and
  // warnings as the window asks and shows them, and a connect's steps as they come.
  void lamp(bool red) override;
  void progress(const Progress& progress) override;
  bool ask(const Message& question) override;
  void notice(const Message& message) override;
  void started() override;
  void learned(const PhoneFacts& facts) override;

  // Opens a box or a question that holds the job; returns its answer.
  bool held_by_user(const std::function<bool()>& open);
  void set_progress(double fraction);
  void set_progress_done();  // "100%" and the full bar
  // The entries list shows `entries` of `folder`, and the folders list marks that folder.
  void show_entries(const std::vector<std::string>& entries, const std::string& folder);
  // The entries list and the position empty while the folder "Java" is read.
  void clear_java_list();
  // The Java list on show, and the position proposed from it (a full folder says so).
  void show_java_list(const JavaList& java, bool warn_when_full);
  JobOutcome<JavaList> read_java_list();
  // Reads the descriptor at `descriptor`, then pairs it with the archive `archive` gives.
  JobResult load_pair(const std::string& descriptor, const std::function<std::optional<std::string>()>& archive);
  // `folder`'s entries into the entries list, the status line naming the reading.
  JobResult list_into_window(const std::string& folder);
  // Why nothing can be sent into `folder`, shown; nothing when it can.
  std::optional<JobResult> send_refusal(const std::string& folder);
  // Each of `paths` sent into `folder`; a file the user keeps on the phone is skipped.
  JobResult send_into(const std::string& folder, const std::vector<std::string>& paths);
  // One file sent; `sent` gets its place on the phone.
  JobResult send_one(const std::string& folder, const std::string& path, std::vector<std::string>& sent);
  // Shows `message` in its box.
  void show(const Message& message);
  // Shows how a job ended and returns its result. The job is over when its message shows:
  // the status line no longer names it, and a job that ended the session has taken the
  // phone off the window.
  template <class T>
  JobResult report(const JobOutcome<T>& outcome) {
    activity_.clear();
    transfer_.clear();
    show_where_it_stands();
    if (outcome.message) show(*outcome.message);
    return outcome.result;
  }
  // Ends a job that the phone never heard of, with `id` in an error box.
  JobResult stop(MessageId id, JobResult result = JobResult::bad_input);
  JobResult connect();
  // The entry fetched whole, with the status line and the busy pointer while it comes.
  JobOutcome<Bytes> fetch(const std::string& folder, const std::string& entry);
  // "DownLoad" with several entries chosen: into a folder, then one message for them all.
  JobResult download_several(const std::vector<std::string>& entries);
  // The summary of a job over several files: its box, after "OPERAZIONE ANNULLATA" when the
  // user stopped it.
  JobResult show_summary(JobResult result, const Message& summary);

  Platform platform_;
  std::filesystem::path home_;
  Controls controls_;
  JobContext jobs_;
  std::string device_;    // the device the port was opened on
  std::string activity_;  // the job under way, as the status line names it; empty between jobs
  std::string transfer_;  // its transfer's account after it, while one runs
  std::pair<std::size_t, std::size_t> sending_{1, 1};  // the file sent of several, and how many
  TransferMeter meter_;
  std::function<void()> on_started_;      // what started() does for the job under way
  std::optional<Underway> reading_java_;  // a connect's Java list under way
  ApplicationPair pair_;                  // what "Carica JAD e JAR" loaded
  std::vector<std::string> java_rows_;    // the last listing of "Java": which positions hold one
  std::string listed_folder_;             // the folder whose entries the entries list shows
  PhoneFacts facts_;                      // what the last connect learned of the phone
  std::filesystem::path data_folder_;     // where the phone's own sounds are kept
};

}  // namespace lg81xx
