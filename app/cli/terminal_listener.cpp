#include "terminal_listener.h"

namespace lg81xx::cli {

std::string message_line(const Message& message) {
  std::string line;
  const std::string title = message.entry().title;
  if (!title.empty()) line.append(title).append(": ");
  line.append(message.italian());
  const std::string why = message.english();
  if (!why.empty()) line.append(" (").append(why).append(")");
  return line;
}

void TerminalListener::print(const Message& message) {
  meter_.finish_line();
  err_ << message_line(message) << "\n" << std::flush;
}

bool TerminalListener::ask(const Message& question) {
  meter_.finish_line();
  err_ << message_line(question) << (yes_ ? " -> yes" : " -> no");
  if (!yes_ && !yes_option_.empty()) err_ << " (" << yes_option_ << " says yes)";
  err_ << "\n" << std::flush;
  return yes_;
}

}  // namespace lg81xx::cli
