#include "widget_sync.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>

#include "text_codec.h"

namespace lg81xx::gui {
namespace {

bool same_items(const QComboBox& combo, const std::vector<std::string>& items) {
  if (combo.count() != static_cast<int>(items.size())) return false;
  for (int i = 0; i < combo.count(); ++i)
    if (combo.itemText(i) != to_qt(items[static_cast<std::size_t>(i)])) return false;
  return true;
}

bool same_items(const QListWidget& list, const std::vector<std::string>& items) {
  if (list.count() != static_cast<int>(items.size())) return false;
  for (int i = 0; i < list.count(); ++i)
    if (list.item(i)->text() != to_qt(items[static_cast<std::size_t>(i)])) return false;
  return true;
}

}  // namespace

void sync_combo(QComboBox& combo, const ComboBox& model, bool inputs_current) {
  const QSignalBlocker block(combo);
  const bool refill = !same_items(combo, model.items);
  if (refill) {
    const QString text = combo.currentText();
    combo.clear();
    for (const auto& item : model.items) combo.addItem(to_qt(item));
    combo.setCurrentIndex(combo.findText(text, Qt::MatchExactly));
    if (combo.isEditable()) combo.setEditText(text);
  }
  const QString wanted = to_qt(model.text);
  if (inputs_current && combo.currentText() != wanted) {
    combo.setCurrentIndex(combo.findText(wanted, Qt::MatchExactly));
    if (combo.isEditable()) combo.setEditText(wanted);
  }
}

void sync_list(QListWidget& list, const ListBox& model, bool inputs_current) {
  const QSignalBlocker block(list);
  const bool refill = !same_items(list, model.items);
  if (refill) {
    list.clear();
    for (const auto& item : model.items) list.addItem(to_qt(item));
  }
  if ((inputs_current || refill) && list.currentRow() != model.selected_row) {
    list.setCurrentRow(model.selected_row);
    if (model.selected_row < 0) list.clearSelection();
  }
  // A list of several chosen rows shows the model's choice, never one of its own.
  if (list.selectionMode() == QAbstractItemView::ExtendedSelection && (inputs_current || refill) &&
      model.chosen.size() > 1)
    for (int row = 0; row < list.count(); ++row)
      list.item(row)->setSelected(std::find(model.chosen.begin(), model.chosen.end(), row) != model.chosen.end());
}

void sync_line_edit(QLineEdit& edit, const std::string& text, bool inputs_current) {
  const QString wanted = to_qt(text);
  if (!inputs_current || edit.text() == wanted) return;
  const QSignalBlocker block(edit);
  edit.setText(wanted);
}

void sync_label(QLabel& label, const std::string& text) {
  const QString wanted = to_qt(text);
  if (label.text() != wanted) label.setText(wanted);
}

}  // namespace lg81xx::gui
