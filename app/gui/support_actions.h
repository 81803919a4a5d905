#pragma once
// The window's help when a phone does not answer: the report for support saved where the
// user chooses (the connection's diagnosis is a job of the window model).
#include <string>

#include "platform/user_interface.h"

namespace lg81xx::gui {

// Asks where, then saves the report for support there and says what it holds.
void save_support_report(UserInterface& ui);

}  // namespace lg81xx::gui
