#pragma once
#include "shell/form1.h"

namespace lg81xx {

// However a job ends: the normal pointer again, and the keep-alive free again while the
// line is up (with no line there is nothing to keep alive).
class JobEnd {
 public:
  explicit JobEnd(Form1& form) : form_(form) {}
  ~JobEnd() {
    form_.platform().ui.set_busy_pointer(false);
    form_.link_busy = !form_.platform().port.is_open();
  }
  JobEnd(const JobEnd&) = delete;
  JobEnd& operator=(const JobEnd&) = delete;

 private:
  Form1& form_;
};

}  // namespace lg81xx
