#include "shell/form1.h"

#include <algorithm>

#include "base/number_text.h"
#include "shell/messages.h"

namespace lg81xx {

Form1::Form1(Platform platform, std::filesystem::path home)
    : platform_(platform), home_(std::move(home)), phone_(platform.port, platform.clock, *this) {}

bool Form1::choose_model(std::string text) {
  if (choices_locked() || !(text.empty() || is_known_model(text))) return false;
  phone_.set_model(text);
  controls_.Combo1.text = std::move(text);
  return true;
}

bool Form1::choose_port(std::string text) {
  if (choices_locked()) return false;
  controls_.Combo2.text = std::move(text);
  return true;
}

void Form1::offer_ports(const std::vector<std::string>& items) {
  auto& ports = controls_.Combo2.items;
  for (const auto& item : items)
    if (std::find(ports.begin(), ports.end(), item) == ports.end()) ports.push_back(item);
}

void Form1::offer_first(const std::vector<std::string>& items) {
  auto& ports = controls_.Combo2.items;
  for (auto item = items.rbegin(); item != items.rend(); ++item) {
    std::erase(ports, *item);
    ports.insert(ports.begin(), *item);
  }
}

void Form1::set_position_text(std::string text) {
  controls_.Text1.text = std::move(text);
  if (controls_.Text1.text.size() >= 3)
    platform_.ui.message_box(text::kPositionRange, MessageStyle::plain, text::kAppTitle);
}

void Form1::set_nokia(bool ticked) { controls_.nokia.value = ticked; }

void Form1::select_sound(std::string_view control) {
  for (auto& option : controls_.sound_options) option.value = (option.name == control);
}

void Form1::select_folder(int row) { controls_.List1.list_index = row; }

void Form1::select_entry(int row) { controls_.List2.list_index = row; }

void Form1::set_fast(bool fast) { phone_.link().set_mode(fast ? WaitMode::fast : WaitMode::classic); }

Form1::Underway::Underway(Form1& form, std::string what) : form_(form), outer_(std::move(form.activity_)) {
  form_.activity_ = std::move(what);
  form_.show_where_it_stands();
  form_.platform_.ui.repaint();
}

Form1::Underway::~Underway() {
  form_.activity_ = std::move(outer_);
  form_.show_where_it_stands();
}

void Form1::show_where_it_stands() {
  const bool open = phone_.is_open();
  controls_.Combo1.enabled = controls_.Combo2.enabled = !choices_locked();
  if (!activity_.empty())
    controls_.status.caption = activity_;
  else if (open)
    controls_.status.caption = text::kStatusConnected + model() + " su " + device_;
  else
    controls_.status.caption = text::kStatusNotConnected;
}

void Form1::lamp(bool red) {
  controls_.ledr.visible = red;
  platform_.ui.repaint();
}

void Form1::progress(std::uint64_t done, std::uint64_t total) {
  set_progress(kFullProgress / static_cast<double>(total) * static_cast<double>(done));
}

void Form1::set_progress(double width) {
  controls_.Label5.width = width;
  controls_.Label5.caption = number_text(width * 100 / kFullProgress) + " %";
  platform_.ui.repaint();
}

void Form1::set_progress_done() {
  controls_.Label5.width = kFullProgress;
  controls_.Label5.caption = "100%";
  platform_.ui.repaint();
}

void Form1::show_entries(const std::vector<std::string>& entries, const std::string& folder) {
  controls_.List2.clear();
  controls_.List2.items = entries;
  listed_folder_ = folder;
  auto& folders = controls_.List1;
  const auto at = std::find(folders.items.begin(), folders.items.end(), folder);
  if (at != folders.items.end()) folders.list_index = static_cast<int>(at - folders.items.begin());
  platform_.ui.repaint();
}

JobResult Form1::report(Job job, JobResult result, const std::string& detail) {
  if (result == JobResult::interrupted) close_stopped_session();
  if (const auto message = message_for(job, result, phone_.family()))
    platform_.ui.message_box(message->text + detail, message->style, message->title);
  return result;
}

JobResult Form1::stop(const std::string& text, JobResult result) {
  platform_.ui.message_box(text, MessageStyle::critical, text::kErrorTitle);
  return result;
}

void Form1::close_stopped_session() {
  if (phone_.is_open()) phone_.disconnect();
  controls_.Label3.caption.clear();
  controls_.Label4.caption.clear();
  platform_.ui.repaint();
}

bool Form1::require_connection(Job job) {
  if (phone_.is_open()) return true;
  report(job, JobResult::not_connected);
  return false;
}

}  // namespace lg81xx
