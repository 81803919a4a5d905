#pragma once
// The window's help when a phone does not answer: the connection's diagnosis in a box, and
// the report for support saved where the user chooses.
#include <string>

#include "platform/user_interface.h"

namespace lg81xx::gui {

// The doctor's findings on this machine's ports (no connect: the window's own may be open).
std::string diagnosis_text();

// Asks where, then saves the report for support there and says what it holds.
void save_support_report(UserInterface& ui);

}  // namespace lg81xx::gui
