#include "cli_ui.h"

#include "message_guide.h"

namespace lg81xx::cli {

void CliUi::answer_open_dialogs(std::vector<std::filesystem::path> paths) {
  open_paths_.assign(paths.begin(), paths.end());
}

void CliUi::message_box(const std::string& text, MessageStyle, const std::string& title) {
  messages_.push_back(title.empty() ? text : title + ": " + text);
  if (quiet_) return;
  meter_.finish_line();
  err_ << message_line(title, text) << "\n" << std::flush;
}

bool CliUi::ask(const std::string& text, const std::string& title) {
  messages_.push_back(title.empty() ? text : title + ": " + text);
  if (quiet_) return yes_;
  meter_.finish_line();
  err_ << message_line(title, text) << (yes_ ? " -> yes" : " -> no");
  if (!yes_ && !yes_option_.empty()) err_ << " (" << yes_option_ << " says yes)";
  err_ << "\n" << std::flush;
  return yes_;
}

std::optional<std::string> CliUi::open_file(const std::string&) {
  if (open_paths_.empty()) return std::nullopt;
  auto path = open_paths_.front();
  open_paths_.pop_front();
  return path.string();
}

std::optional<std::string> CliUi::save_file(const std::string&, const std::string&) {
  if (!save_path_) return std::nullopt;
  return save_path_->string();
}

void CliUi::repaint() {
  if (progress_ == nullptr || quiet_) return;
  const auto& label = *progress_;
  if (label.caption == drawn_caption_ && label.width == drawn_width_) return;
  drawn_caption_ = label.caption;
  drawn_width_ = label.width;
  // Only a caption with a percentage is a transfer's progress ("37.5 %", "100%").
  if (label.caption.empty() || label.caption.back() != '%') return;
  meter_.show(label.width);
}

}  // namespace lg81xx::cli
