#pragma once
// The hourglass while a job works, and the normal pointer again however the job ends.
#include "platform/user_interface.h"

namespace lg81xx {

class BusyPointer {
 public:
  explicit BusyPointer(UserInterface& ui) : ui_(ui) {}
  ~BusyPointer() { ui_.set_busy_pointer(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

  void busy() { ui_.set_busy_pointer(true); }
  void normal() { ui_.set_busy_pointer(false); }

 private:
  UserInterface& ui_;
};

}  // namespace lg81xx
