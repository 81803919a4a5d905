#include "shell/window_model.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "base/number_text.h"
#include "jobs/sounds.h"

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

WindowModel::WindowModel(Platform platform, std::filesystem::path home)
    : platform_(platform),
      home_(std::move(home)),
      jobs_(platform.port, platform.clock, platform.files, platform.archiver, *this),
      data_folder_(user_data_folder()) {}

bool WindowModel::choose_model(std::string text) {
  if (choices_locked() || !(text.empty() || is_known_model(text))) return false;
  phone().set_model(text);
  controls_.model_box.text = std::move(text);
  return true;
}

bool WindowModel::choose_port(std::string text) {
  if (choices_locked()) return false;
  controls_.port_box.text = std::move(text);
  return true;
}

void WindowModel::offer_ports(const std::vector<std::string>& items) {
  auto& ports = controls_.port_box.items;
  for (const auto& item : items)
    if (std::find(ports.begin(), ports.end(), item) == ports.end()) ports.push_back(item);
}

void WindowModel::offer_first(const std::vector<std::string>& items) {
  auto& ports = controls_.port_box.items;
  for (auto item = items.rbegin(); item != items.rend(); ++item) {
    std::erase(ports, *item);
    ports.insert(ports.begin(), *item);
  }
}

void WindowModel::set_position_text(std::string text) {
  controls_.position_box.text = std::move(text);
  if (controls_.position_box.text.size() >= 3) show({MessageId::position_range, {}, {}});
}

void WindowModel::set_nokia_emulation(bool ticked) { controls_.nokia_emulation = ticked; }

void WindowModel::select_sound(std::string_view sound) {
  for (auto& option : controls_.sound_options) option.chosen = (option.sound == sound);
}

void WindowModel::select_folder(int row) { controls_.folders_list.selected_row = row; }

void WindowModel::select_entry(int row) { controls_.entries_list.selected_row = row; }

void WindowModel::set_fast(bool fast) { phone().link().set_mode(fast ? WaitMode::fast : WaitMode::classic); }

WindowModel::Underway::Underway(WindowModel& window, std::string what)
    : window_(window), outer_(std::move(window.activity_)) {
  window_.activity_ = std::move(what);
  window_.transfer_.clear();
  window_.show_where_it_stands();
  window_.platform_.ui.repaint();
}

WindowModel::Underway::~Underway() {
  window_.activity_ = std::move(outer_);
  window_.transfer_.clear();
  window_.show_where_it_stands();
}

WindowModel::Working::Working(WindowModel& window, std::string what, bool busy, std::function<void()> first)
    : window_(window), what_(std::move(what)), busy_(busy) {
  window_.on_started_ = [this, first = std::move(first)] {
    if (first) first();
    underway_.emplace(window_, what_);
    if (busy_) window_.platform_.ui.set_busy_pointer(true);
  };
}

WindowModel::Working::~Working() {
  window_.on_started_ = nullptr;
  normal();
}

void WindowModel::Working::normal() {
  if (busy_ && underway_) window_.platform_.ui.set_busy_pointer(false);
  busy_ = false;
}

void WindowModel::show_where_it_stands() {
  const bool open = phone().is_open();
  if (!open) forget_session();
  controls_.model_box.enabled = controls_.port_box.enabled = !choices_locked();
  if (!activity_.empty())
    controls_.status.caption = activity_ + (transfer_.empty() ? "" : " " + transfer_);
  else if (open)
    controls_.status.caption = text::kStatusConnected + model() + " su " + device_;
  else
    controls_.status.caption = text::kStatusNotConnected;
}

void WindowModel::lamp(bool red) {
  controls_.lamp_red = red;
  platform_.ui.repaint();
}

void WindowModel::progress(const Progress& sent) {
  Progress progress = sent;
  if (sending_.second > 1) std::tie(progress.file, progress.files) = sending_;  // each file is a job of its own
  if (auto account = meter_.update(progress, platform_.clock.now_ms())) {
    transfer_ = std::move(*account);
    show_where_it_stands();
  }
  set_progress(progress.fraction());
}

bool WindowModel::ask(const Message& question) {
  return held_by_user([&] { return platform_.ui.ask(question.italian(), question.entry().title); });
}

void WindowModel::notice(const Message& message) {
  held_by_user([&] {
    show(message);
    return true;
  });
}

// A question or a notice holds the job, and the phone waits with it: while it is open the
// status line says where the window stands, and names the job again once the job goes on.
bool WindowModel::held_by_user(const std::function<bool()>& open) {
  const std::string activity = std::exchange(activity_, "");
  const std::string transfer = std::exchange(transfer_, "");
  show_where_it_stands();
  const bool answer = open();
  activity_ = activity;
  transfer_ = transfer;
  show_where_it_stands();
  return answer;
}

void WindowModel::started() {
  if (on_started_) on_started_();
  meter_.start(platform_.clock.now_ms());
}

void WindowModel::set_progress(double fraction) {
  controls_.progress.fraction = fraction;
  controls_.progress.caption = number_text(fraction * 100) + " %";
  platform_.ui.repaint();
}

void WindowModel::set_progress_done() {
  controls_.progress.fraction = 1;
  controls_.progress.caption = "100%";
  platform_.ui.repaint();
}

void WindowModel::show_entries(const std::vector<std::string>& entries, const std::string& folder) {
  controls_.entries_list.clear();
  controls_.entries_list.items = entries;
  listed_folder_ = folder;
  auto& folders = controls_.folders_list;
  const auto at = std::find(folders.items.begin(), folders.items.end(), folder);
  if (at != folders.items.end()) folders.selected_row = static_cast<int>(at - folders.items.begin());
  platform_.ui.repaint();
}

void WindowModel::show(const Message& message) {
  const auto& entry = message.entry();
  platform_.ui.message_box(message.italian(), style_of(entry.kind), entry.title);
}

JobResult WindowModel::stop(MessageId id, JobResult result) {
  show({id, {}, {}});
  return result;
}

void WindowModel::forget_session() {
  controls_.imei.caption.clear();
  controls_.information.caption.clear();
  controls_.folders_list.clear();
  controls_.entries_list.clear();
  java_rows_.clear();
  listed_folder_.clear();
}

}  // namespace lg81xx
