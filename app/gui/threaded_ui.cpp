#include "threaded_ui.h"

#include <QMetaObject>
#include <QThread>

namespace lg81xx::gui {

bool DialogWait::tick() {
  const std::lock_guard lock(mutex_);
  if (!pending_) return false;
  pending_->tick = true;
  changed_.notify_all();
  return true;
}

void DialogWait::run_and_wait(QObject& gui_context, const std::function<void()>& call,
                              const std::function<void()>& on_tick) {
  auto pending = std::make_shared<Pending>();
  {
    const std::lock_guard lock(mutex_);
    pending_ = pending;
  }
  // The call runs before this returns, so it may use what the caller holds by reference.
  QMetaObject::invokeMethod(
      &gui_context,
      [this, pending, &call] {
        call();
        const std::lock_guard lock(mutex_);
        pending->answered = true;
        changed_.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return pending->answered || pending->tick; });
    if (pending->answered) break;
    pending->tick = false;
    lock.unlock();
    on_tick();
    lock.lock();
  }
  pending_.reset();
}

ThreadedUi::ThreadedUi(QObject& gui_context, UserInterface& gui, std::function<void()> publish, DialogWait& wait,
                       std::function<void()> keep_alive)
    : gui_context_(gui_context),
      gui_(gui),
      publish_(std::move(publish)),
      wait_(wait),
      keep_alive_(std::move(keep_alive)) {}

void ThreadedUi::on_gui_thread_and_wait(const std::function<void()>& call) {
  // A blocking call into our own thread would wait for ever; run it in place instead.
  if (QThread::currentThread() == gui_context_.thread()) {
    call();
    return;
  }
  wait_.run_and_wait(gui_context_, call, keep_alive_);
}

void ThreadedUi::message_box(const std::string& text, MessageStyle style, const std::string& title) {
  // The model shows the phone's fresh state before it asks: publish it first.
  publish_();
  on_gui_thread_and_wait([&] { gui_.message_box(text, style, title); });
}

bool ThreadedUi::ask(const std::string& text, const std::string& title) {
  publish_();
  bool yes = false;
  on_gui_thread_and_wait([&] { yes = gui_.ask(text, title); });
  return yes;
}

std::optional<std::string> ThreadedUi::open_file(const std::string& title, const std::string& filter) {
  publish_();
  std::optional<std::string> answer;
  on_gui_thread_and_wait([&] { answer = gui_.open_file(title, filter); });
  return answer;
}

std::optional<std::string> ThreadedUi::save_file(const std::string& filter, const std::string& suggested_name) {
  publish_();
  std::optional<std::string> answer;
  on_gui_thread_and_wait([&] { answer = gui_.save_file(filter, suggested_name); });
  return answer;
}

std::optional<std::string> ThreadedUi::choose_folder() {
  publish_();
  std::optional<std::string> answer;
  on_gui_thread_and_wait([&] { answer = gui_.choose_folder(); });
  return answer;
}

void ThreadedUi::set_busy_pointer(bool busy) {
  if (QThread::currentThread() == gui_context_.thread()) {
    gui_.set_busy_pointer(busy);
    return;
  }
  QMetaObject::invokeMethod(
      &gui_context_, [gui = &gui_, busy] { gui->set_busy_pointer(busy); }, Qt::QueuedConnection);
}

void ThreadedUi::repaint() { publish_(); }

}  // namespace lg81xx::gui
