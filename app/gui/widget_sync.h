#pragma once
// Brings a Qt widget in line with a control of a snapshot, touching it only where it
// differs and without letting the change come back as a user edit (signals blocked).
// Texts and selections the user edits are only set when `inputs_current` says the copy
// has seen every edit the user made.
#include <QString>

#include "shell/controls.h"

class QComboBox;
class QListWidget;
class QLineEdit;
class QLabel;

namespace lg81xx::gui {

void sync_combo(QComboBox& combo, const ComboBox& model, bool inputs_current);
void sync_list(QListWidget& list, const ListBox& model, bool inputs_current);
void sync_line_edit(QLineEdit& edit, const std::string& text, bool inputs_current);
void sync_label(QLabel& label, const std::string& text);

}  // namespace lg81xx::gui
