#include "shell/form1.h"

#include <algorithm>

#include "base/number_text.h"

namespace lg81xx {
namespace {

MessageStyle style_of(MessageKind kind) {
  switch (kind) {
    case MessageKind::error: return MessageStyle::critical;
    case MessageKind::warning: return MessageStyle::warning;
    case MessageKind::information: return MessageStyle::information;
    case MessageKind::question:
    case MessageKind::notice:
    case MessageKind::part: break;
  }
  return MessageStyle::plain;
}

}  // namespace

Form1::Form1(Platform platform, std::filesystem::path home)
    : platform_(platform),
      home_(std::move(home)),
      jobs_(platform.port, platform.clock, platform.files, platform.archiver, *this) {}

bool Form1::choose_model(std::string text) {
  if (choices_locked() || !(text.empty() || is_known_model(text))) return false;
  phone().set_model(text);
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
  if (controls_.Text1.text.size() >= 3) show({MessageId::position_range, {}, {}});
}

void Form1::set_nokia(bool ticked) { controls_.nokia.value = ticked; }

void Form1::select_sound(std::string_view control) {
  for (auto& option : controls_.sound_options) option.value = (option.name == control);
}

void Form1::select_folder(int row) { controls_.List1.list_index = row; }

void Form1::select_entry(int row) { controls_.List2.list_index = row; }

void Form1::set_fast(bool fast) { phone().link().set_mode(fast ? WaitMode::fast : WaitMode::classic); }

Form1::Underway::Underway(Form1& form, std::string what) : form_(form), outer_(std::move(form.activity_)) {
  form_.activity_ = std::move(what);
  form_.show_where_it_stands();
  form_.platform_.ui.repaint();
}

Form1::Underway::~Underway() {
  form_.activity_ = std::move(outer_);
  form_.show_where_it_stands();
}

Form1::Working::Working(Form1& form, std::string what, bool busy, std::function<void()> first)
    : form_(form), what_(std::move(what)), busy_(busy) {
  form_.on_started_ = [this, first = std::move(first)] {
    if (first) first();
    underway_.emplace(form_, what_);
    if (busy_) form_.platform_.ui.set_busy_pointer(true);
  };
}

Form1::Working::~Working() {
  form_.on_started_ = nullptr;
  normal();
}

void Form1::Working::normal() {
  if (busy_ && underway_) form_.platform_.ui.set_busy_pointer(false);
  busy_ = false;
}

void Form1::show_where_it_stands() {
  const bool open = phone().is_open();
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

void Form1::progress(const Progress& progress) { set_progress(progress.fraction()); }

bool Form1::ask(const Message& question) { return platform_.ui.ask(question.italian(), question.entry().title); }

void Form1::notice(const Message& message) { show(message); }

void Form1::started() {
  if (on_started_) on_started_();
}

void Form1::set_progress(double fraction) {
  controls_.Label5.fraction = fraction;
  controls_.Label5.caption = number_text(fraction * 100) + " %";
  platform_.ui.repaint();
}

void Form1::set_progress_done() {
  controls_.Label5.fraction = 1;
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

void Form1::show(const Message& message, std::optional<MessageStyle> style) {
  const auto& entry = message.entry();
  platform_.ui.message_box(message.italian(), style.value_or(style_of(entry.kind)), entry.title);
}

JobResult Form1::stop(MessageId id, JobResult result) {
  show({id, {}, {}});
  return result;
}

void Form1::clear_phone_values() {
  controls_.Label3.caption.clear();
  controls_.Label4.caption.clear();
  platform_.ui.repaint();
}

}  // namespace lg81xx
