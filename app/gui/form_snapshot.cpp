#include "form_snapshot.h"

#include "shell/form1.h"

namespace lg81xx::gui {

FormSnapshot take_snapshot(const Form1& form, std::uint64_t inputs_seen) {
  return {inputs_seen, form.controls(), form.phone().is_open(), form.fast()};
}

}  // namespace lg81xx::gui
