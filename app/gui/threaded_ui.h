#pragma once
// The UserInterface that WindowModel sees on the worker thread. Message boxes, questions, file
// dialogs and the pointer are handed to the window's UserInterface on the GUI thread; the
// worker waits for the answer (a blocking queued call), exactly as a handler waits for a
// dialog.
// repaint() never waits: it asks the worker to publish a snapshot of the model.
#include <QObject>
#include <functional>

#include "platform/user_interface.h"

namespace lg81xx::gui {

class ThreadedUi final : public UserInterface {
 public:
  // `gui` lives on the GUI thread and is only called there, through `gui_context`.
  ThreadedUi(QObject& gui_context, UserInterface& gui, std::function<void()> publish);

  void message_box(const std::string& text, MessageStyle style, const std::string& title) override;
  bool ask(const std::string& text, const std::string& title) override;
  std::optional<std::string> open_file(const std::string& filter) override;
  std::optional<std::string> save_file(const std::string& filter, const std::string& suggested_name) override;
  std::optional<std::string> choose_folder() override;
  void set_busy_pointer(bool busy) override;
  void repaint() override;

 private:
  template <typename F>
  void on_gui_thread_and_wait(F&& call);

  QObject& gui_context_;
  UserInterface& gui_;
  std::function<void()> publish_;
};

}  // namespace lg81xx::gui
