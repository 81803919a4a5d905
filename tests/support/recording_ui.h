#pragma once
// A UserInterface for tests: records message boxes and questions, answers dialogs and
// questions from a script and counts repaints.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace lg81xx::testing {

struct Message {
  std::string text;
  MessageStyle style;
  std::string title;
  bool operator==(const Message&) const = default;
};

class RecordingUi final : public UserInterface {
 public:
  void message_box(const std::string& text, MessageStyle style, const std::string& title) override {
    if (on_message) on_message();
    messages.push_back({text, style, title});
  }
  bool ask(const std::string& text, const std::string&) override {
    if (on_message) on_message();
    questions.push_back(text);
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  std::optional<std::string> open_file(const std::string& title, const std::string&) override {
    open_titles.push_back(title);
    return next_answer();
  }
  std::optional<std::string> save_file(const std::string& filter, const std::string&) override {
    save_filters.push_back(filter);
    return next_answer();
  }
  std::optional<std::string> choose_folder() override { return next_answer(); }
  void set_busy_pointer(bool b) override { busy = b; }
  void repaint() override {
    if (on_repaint) on_repaint();
  }

  // Dialog answers in order; std::nullopt stands for Cancel. An empty script cancels.
  std::deque<std::optional<std::string>> dialog_answers;
  // Answers to the yes/no questions in order; with none left the answer is no.
  std::deque<bool> answers;
  std::vector<std::string> questions;
  std::vector<Message> messages;
  std::vector<std::string> open_titles;
  std::vector<std::string> save_filters;
  bool busy = false;
  std::function<void()> on_repaint;
  std::function<void()> on_message;  // as a box or a question shows, before it is recorded
  std::function<void()> on_dialog;   // while a file dialog is open, before it is answered

 private:
  std::optional<std::string> next_answer() {
    if (on_dialog) on_dialog();
    if (dialog_answers.empty()) return std::nullopt;
    auto a = dialog_answers.front();
    dialog_answers.pop_front();
    return a;
  }
};

}  // namespace lg81xx::testing
