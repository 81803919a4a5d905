#pragma once
// The window's side of the platform: message boxes, a yes/no question, file dialogs, the
// mouse pointer and repainting. The headless model calls these; the Qt view, the command
// line and the tests implement them.
#include <optional>
#include <string>

namespace lg81xx {

enum class MessageStyle { plain = 0, critical = 16, warning = 48, information = 64 };

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  virtual void message_box(const std::string& text, MessageStyle style, const std::string& title) = 0;
  // A yes/no question before something the user has would be replaced; true for yes.
  virtual bool ask(const std::string& text, const std::string& title) = 0;
  // `title` says what to choose; `filter` is "Description|*.ext". Returns the chosen path, or
  // nothing when cancelled.
  virtual std::optional<std::string> open_file(const std::string& title, const std::string& filter) = 0;
  virtual std::optional<std::string> save_file(const std::string& filter, const std::string& suggested_name) = 0;
  // A folder to save several files in; nothing when cancelled.
  virtual std::optional<std::string> choose_folder() = 0;
  virtual void set_busy_pointer(bool busy) = 0;
  // The model changed something the user sees (progress, lamp, lists, labels): draw it now.
  virtual void repaint() = 0;
};

}  // namespace lg81xx
