#include "threaded_ui.h"

#include <QMetaObject>
#include <QThread>

namespace lg81xx::gui {

ThreadedUi::ThreadedUi(QObject& gui_context, UserInterface& gui, std::function<void()> publish)
    : gui_context_(gui_context), gui_(gui), publish_(std::move(publish)) {}

template <typename F>
void ThreadedUi::on_gui_thread_and_wait(F&& call) {
  // A blocking call into our own thread would wait for ever; run it in place instead.
  if (QThread::currentThread() == gui_context_.thread()) {
    call();
    return;
  }
  QMetaObject::invokeMethod(&gui_context_, std::forward<F>(call), Qt::BlockingQueuedConnection);
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

std::optional<std::string> ThreadedUi::open_file(const std::string& filter) {
  publish_();
  std::optional<std::string> answer;
  on_gui_thread_and_wait([&] { answer = gui_.open_file(filter); });
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
