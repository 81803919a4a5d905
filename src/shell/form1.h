#pragma once
// Form1: the headless model of the one window. It holds every control's content and the
// form-level state, and its handlers run the phone protocol through the platform
// interfaces. The Qt view, the command line and the tests all drive these handlers.
//
// The handlers are defined beside the subsystem they belong to (link/, shell/, transfer/,
// java/, sounds/, filemanager/); this header is their one meeting point.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "base/bytes.h"
#include "link/link.h"
#include "link/session_frames.h"
#include "phone/model_family.h"
#include "phone/wire_names.h"
#include "platform/archiver.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/serial_port.h"
#include "platform/user_interface.h"
#include "shell/controls.h"
#include "shell/sound_table.h"

namespace lg81xx {

struct Platform {
  SerialPort& port;
  Clock& clock;
  UserInterface& ui;
  Archiver& archiver;
  Files& files;
};

enum class StartResult { ok, fatal };

// How the last job ended, for callers that need more than the message boxes (the command
// line's exit status, the tests).
enum class JobResult {
  none,
  ok,
  no_reply,       // the phone did not answer in time
  refused,        // the phone answered with a refusal
  bad_input,      // refused before anything was sent (name, position, model, selection)
  local_file,     // a local file could not be read or written
  not_connected,  // the port is closed
  cancelled,      // the user cancelled a dialog
  link_lost,      // the port went away during the job
};

inline constexpr double kFullProgress = 6375.0;

class Form1 {
 public:
  Form1(Platform platform, std::filesystem::path home);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // ---- controls, named as on the window ----
  Label Label1{"Modello Telefono"};
  ComboBox Combo1;
  Label Label2{"Porta Comm"};
  ComboBox Combo2;
  Button Command1{"Connetti/Disconnetti"};
  Label Label5{"Label5"};
  std::array<std::string, 3> SSTab1{"Applicazioni JAVA", "SUONI di Sistema", "File Manager"};
  Label Label6{"Posizione di inserimento"};
  TextBox Text1{"00"};
  Label Label7{"FILE CARICATO"};
  Label Label8;
  Label Label10{"JAVA"};
  Button Command2{"Carica JAD e JAR"};
  CheckBox nokia{"ABILITA EMULAZIONE NOKIA MIDP"};
  Button Command3{"INVIA"};
  Button Command4{"Command4"};
  Button Command5{"Carica Nuovo Suono"};
  std::array<OptionButton, kSoundTable.size()> sound_options;  // mes1 .. batt, mes1 selected
  ListBox List1;
  ListBox List2;
  Button Command7{"DownLoad"};
  std::string buffer;   // scratch text for reply parsing
  std::string buffer2;  // scratch text for the manifest cut
  Label Label9{"Dati"};
  Picture ledv{true};
  Picture ledr{false};
  Label Label3;  // IMEI
  Label Label4;  // information text
  bool Timer1_enabled = true;
  static constexpr int kTimer1IntervalMs = 3000;

  // ---- form-level state ----
  bool link_busy = true;
  std::uint16_t frame_seq = 0;
  Bytes jad_data;
  Bytes jar_data;
  Bytes last_reply;
  double progress_width = 0;
  std::int16_t folder_name_chars = 0;
  std::int16_t file_name_chars = 0;
  Bytes folder_name_bytes;
  SessionFrames frames;
  JobResult last_result = JobResult::none;

  // ---- start-up and the position field (shell/) ----
  StartResult Form_Load();
  void Text1_Change();
  // A change of Text1's text, by the user or by a procedure: runs Text1_Change as the
  // window does on every change.
  void set_Text1(std::string text);

  // ---- link: fixed-frame senders and keep-alive (link/senders.cpp) ----
  Bytes query_imei();
  Bytes enter_obex_mode();
  Bytes obex_connect();
  Bytes open_session();
  Bytes request_phone_info();
  Bytes send_command_2081();
  Bytes request_root_list();
  Bytes send_keep_alive();
  void Timer1_Timer();

  // ---- connect and disconnect (shell/connect.cpp) ----
  void Command1_Click();

  // ---- object transfer (transfer/) ----
  void List1_DblClick();
  // Returns 1 whatever the outcome; the caller learns it from last_reply.
  int upload_object(int folder_length, int file_name_length, const Bytes& file_name,
                    const Bytes& folder_name, std::int64_t file_size, const Bytes& content);
  // `status` gets the announced size at the end, or -1 when the phone refused.
  std::string download_object(int folder_bytes, int file_name_bytes, int folder_chars,
                              int file_name_chars_, const Bytes& file_name, const Bytes& folder_name,
                              std::int64_t& status);

  // ---- Java applications (java/) ----
  void calcola_pos();
  void Command2_Click();
  void Command3_Click();

  // ---- system sounds (sounds/) ----
  void Command5_Click();
  void Command4_Click();

  // ---- file manager (filemanager/) ----
  void Command7_Click();

  // ---- helpers shared by the handlers ----
  Family family() const { return family_of(Combo1.text); }
  OptionButton& option(std::string_view control);
  const OptionButton* selected_sound() const;
  void select_sound(std::string_view control);
  void show_lamp(bool red);  // ledr shown (red) or hidden (green), repainted at once
  void set_progress(double width);  // Label5 as a bar with its percentage caption
  void set_progress_done();         // "100%" and the full width
  // Shows `text` and records `result` as the outcome of the job.
  void fail(JobResult result, const std::string& text, MessageStyle style = MessageStyle::critical,
            const std::string& title = "");
  // Refuses a phone job while the port is closed, with a message; true when open.
  bool require_connection();
  std::uint8_t next_sequence() { return static_cast<std::uint8_t>(++frame_seq); }

  Platform& platform() { return platform_; }
  Link& link() { return link_; }
  const std::filesystem::path& home() const { return home_; }

 private:
  Platform platform_;
  Link link_;
  std::filesystem::path home_;
};

}  // namespace lg81xx
