#pragma once
// A short English explanation of each of the window's Italian messages, for people at a
// terminal. The messages themselves are shown as they stand.
#include <string>
#include <string_view>

namespace lg81xx::cli {

// The explanation of `text`, or an empty text for a message this table does not know.
// Messages that carry details after their fixed text are matched by that fixed start.
std::string_view explain_message(std::string_view text);

// "TITLE: text (explanation)", one line.
std::string message_line(std::string_view title, std::string_view text);

}  // namespace lg81xx::cli
