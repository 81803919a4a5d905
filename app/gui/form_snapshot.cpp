#include "form_snapshot.h"

#include "shell/form1.h"

namespace lg81xx::gui {

FormSnapshot take_snapshot(Form1& form, std::uint64_t inputs_seen) {
  FormSnapshot s;
  s.inputs_seen = inputs_seen;
  s.Combo1 = form.Combo1;
  s.Combo2 = form.Combo2;
  s.port_open = form.platform().port.is_open();
  s.fast = form.link().mode() == WaitMode::fast;
  s.Label3 = form.Label3.caption;
  s.Label4 = form.Label4.caption;
  s.Label5 = form.Label5;
  s.Label8 = form.Label8.caption;
  s.ledr = form.ledr.visible;
  s.Text1 = form.Text1.text;
  s.nokia = form.nokia.value;
  if (const auto* option = form.selected_sound()) s.selected_sound = option->name;
  s.List1 = form.List1;
  s.List2 = form.List2;
  s.Command1 = form.Command1.enabled;
  s.Command2 = form.Command2.enabled;
  s.Command3 = form.Command3.enabled;
  s.Command4 = form.Command4.enabled;
  s.Command5 = form.Command5.enabled;
  s.Command7 = form.Command7.enabled;
  return s;
}

}  // namespace lg81xx::gui
