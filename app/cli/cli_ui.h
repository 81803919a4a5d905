#pragma once
// The window's platform side at a terminal: message boxes become lines on standard
// error, the file dialogs and the yes/no questions are answered from the command's
// arguments, and the progress label becomes a progress bar.
#include <deque>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/user_interface.h"
#include "progress_meter.h"
#include "shell/controls.h"

namespace lg81xx::cli {

class CliUi final : public UserInterface {
 public:
  CliUi(std::ostream& err, bool terminal) : err_(err), meter_(err, terminal) {}

  // The progress label drawn on repaint.
  void watch(const Label* progress) { progress_ = progress; }
  // Open dialogs take these paths in order (the handlers ask the JAD, then the JAR; a
  // sound asks one file); with none left a dialog is cancelled.
  void answer_open_dialogs(std::vector<std::filesystem::path> paths);
  // The save dialog answers this path; without one it is cancelled.
  void answer_save_dialog(std::optional<std::filesystem::path> path) { save_path_ = std::move(path); }
  // Every yes/no question gets `yes`; a no names `option`, the one that says yes.
  void answer_questions(bool yes, std::string option) {
    yes_ = yes;
    yes_option_ = std::move(option);
  }
  // Silences the message lines (the demo prints its own summary of each step).
  void set_quiet(bool quiet) { quiet_ = quiet; }

  void message_box(const std::string& text, MessageStyle style, const std::string& title) override;
  bool ask(const std::string& text, const std::string& title) override;
  std::optional<std::string> open_file(const std::string& filter) override;
  std::optional<std::string> save_file(const std::string& filter, const std::string& suggested_name) override;
  // The commands name their folders: download_into never asks for one.
  std::optional<std::string> choose_folder() override { return std::nullopt; }
  void set_busy_pointer(bool) override {}
  void repaint() override;

  // Every message shown so far, as "TITLE: text".
  const std::vector<std::string>& messages() const { return messages_; }
  void clear_messages() { messages_.clear(); }

 private:
  std::ostream& err_;
  ProgressMeter meter_;
  const Label* progress_ = nullptr;
  std::deque<std::filesystem::path> open_paths_;
  std::optional<std::filesystem::path> save_path_;
  std::vector<std::string> messages_;
  std::string drawn_caption_;
  double drawn_width_ = -1;
  bool quiet_ = false;
  bool yes_ = false;
  std::string yes_option_;
};

}  // namespace lg81xx::cli
