#pragma once
// The UserInterface that WindowModel sees on the worker thread. Message boxes, questions, file
// dialogs and the pointer are handed to the window's UserInterface on the GUI thread; the
// worker waits for the answer, exactly as a handler waits for a dialog. While it waits, the
// keep-alive timer's ticks still reach it (DialogWait): the phone keeps its session while
// the user chooses.
// repaint() never waits: it asks the worker to publish a snapshot of the model.
#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/user_interface.h"

namespace lg81xx::gui {

// A handler waiting for the window's answer, and the ticks that reach it meanwhile. Shared
// by the GUI thread, which answers and ticks, and the worker, which waits.
class DialogWait {
 public:
  // GUI thread: a keep-alive tick for the handler waiting in a dialog; false when none
  // waits. Ticks that come while one is still pending count once.
  bool tick();

  // Worker thread: runs `call` on `gui_context`'s thread and waits for it to return;
  // `on_tick` runs here, between, for each tick.
  void run_and_wait(QObject& gui_context, const std::function<void()>& call, const std::function<void()>& on_tick);

 private:
  struct Pending {
    bool answered = false;
    bool tick = false;
  };
  std::mutex mutex_;
  std::condition_variable changed_;
  std::shared_ptr<Pending> pending_;  // while a handler waits
};

class ThreadedUi final : public UserInterface {
 public:
  // `gui` lives on the GUI thread and is only called there, through `gui_context`;
  // `keep_alive` runs on the worker for each tick that comes while it waits in `wait`.
  ThreadedUi(QObject& gui_context, UserInterface& gui, std::function<void()> publish, DialogWait& wait,
             std::function<void()> keep_alive);

  void message_box(const std::string& text, MessageStyle style, const std::string& title) override;
  bool ask(const std::string& text, const std::string& title) override;
  std::optional<std::string> open_file(const std::string& title, const std::string& filter) override;
  std::optional<std::string> save_file(const std::string& filter, const std::string& suggested_name) override;
  std::optional<std::string> choose_folder() override;
  void set_busy_pointer(bool busy) override;
  void repaint() override;

 private:
  void on_gui_thread_and_wait(const std::function<void()>& call);

  QObject& gui_context_;
  UserInterface& gui_;
  std::function<void()> publish_;
  DialogWait& wait_;
  std::function<void()> keep_alive_;
};

}  // namespace lg81xx::gui
