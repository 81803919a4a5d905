#pragma once
// Plain models of the window's controls: what the view shows and the handlers change.
#include <string>
#include <vector>

namespace lg81xx {

struct Label {
  std::string caption;
  double width = 0;  // used by the progress bar Label5: 0 .. 6375
};

struct Button {
  std::string caption;
  bool enabled = true;
};

struct TextBox {
  std::string text;
};

struct CheckBox {
  std::string caption;
  bool value = false;
};

struct OptionButton {
  std::string name;  // control name: mes1 .. batt
  std::string caption;
  bool value = false;
};

struct ComboBox {
  std::vector<std::string> items;
  std::string text;  // editable: may hold any text, not only an item
};

struct ListBox {
  std::vector<std::string> items;
  int list_index = -1;  // selected row, -1 for none
  std::string text() const {
    return list_index >= 0 && list_index < static_cast<int>(items.size()) ? items[list_index] : std::string{};
  }
  void clear() {
    items.clear();
    list_index = -1;
  }
};

struct Picture {
  bool visible = true;
};

}  // namespace lg81xx
